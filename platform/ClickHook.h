#pragma once

#include <functional>

class QWidget;

namespace ClickHook {

// Runs handler, through the guard, for each click on control: a left-button press on it
// followed by the release over it. The second press of a double click is no new click.
// The control still gets the mouse events itself.
void install(QWidget *control, std::function<void()> handler);

} // namespace ClickHook
