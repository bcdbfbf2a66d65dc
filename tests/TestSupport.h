#pragma once

#include <QString>
#include <QStringList>

class TForm1;

namespace TestSupport {

// Catches what the error box would show, for as long as it lives.
class ErrorBoxRecorder final
{
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();

    QStringList texts;
};

QString clipboardText();
void setClipboardText(const QString &text);

// A main window shown on the offscreen screen, with the focus in Memo1.
TForm1 *showForm1();

} // namespace TestSupport
