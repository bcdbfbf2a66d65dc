#pragma once

class QWidget;

namespace TopLevelWindows {

// A secondary window belongs to the application, not to another window: it has no parent,
// and closing it does not end the program.
void makeSecondary(QWidget *window);

// Destroys every window still open when the event loop has ended.
void destroyRemaining();

} // namespace TopLevelWindows
