#pragma once

#include <functional>

class QWidget;

// What a window does when it is closed, as its close handler chooses.
enum class TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };

// Runs handler, through the guard, whenever form is about to close, with the action set to
// caHide, and carries out the action the handler leaves: caFree destroys the window.
void bindFormClose(QWidget *form, std::function<void(TCloseAction &)> handler);

// The close handler every secondary window uses: closing it, in whatever way, frees it.
void freeOnClose(TCloseAction &Action);
