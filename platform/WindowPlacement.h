#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace WindowPlacement {

// Where a window frame of frameSize goes to stand centred on screen; never left of or
// above the screen's edge, even when it is larger than the screen.
QPoint centred(const QRect &screen, const QSize &frameSize);

// Centres window, frame and menu bar included, on its screen when it is first shown.
void centreOnFirstShow(QWidget *window);

} // namespace WindowPlacement
