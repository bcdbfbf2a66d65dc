#pragma once

#include <functional>

class QWidget;

// What a window does when it is closed, as its close handler chooses.
enum class CloseAction { None = 0, Hide = 1, Free = 2, Minimize = 3 };

// Runs handler, through the guard, whenever window is about to close, with the action set to
// Hide, and carries out the action the handler leaves: Free destroys the window.
void onClose(QWidget *window, std::function<void(CloseAction &)> handler);

// The close handler every secondary window uses: closing it, in whatever way, frees it.
void freeOnClose(CloseAction &action);
