#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace KeyDownHook {

// Runs handler, through the guard, for every key press that reaches widget (auto-repeats
// included) before the widget acts on it. Tab and Shift+Tab are left out: they move the
// focus and never reach the control.
void install(QWidget *widget, std::function<void(QKeyEvent *)> handler);

// The Enter key inserts no line break in a multi-line box, a CappedTextEdit; Ctrl+Enter
// still does, within the box's capacity. Install this before the key-down hook so that the
// hook still sees every Enter.
void blockPlainEnter(QWidget *multiLineBox);

} // namespace KeyDownHook
