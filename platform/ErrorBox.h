#pragma once

#include <QString>

#include <functional>

// The program's one report of a failure: a modal box captioned "MORVELA".
namespace ErrorBox {

// The message as the box shows it: a "." is added when the message is not empty and its
// last character sorts after "." (as a code page 932 byte sequence would).
QString boxText(const QString &message);

// Shows the box and returns when the user has closed it.
void show(const QString &message);

// Tests see the box's text without a modal loop; an empty presenter restores the box.
using Presenter = std::function<void(const QString &boxText)>;
void setPresenter(Presenter presenter);

} // namespace ErrorBox
