#pragma once

#include <QImage>

class QWidget;

// One function per window: it makes the window as a user first sees it and returns its
// picture. A new window adds its function here and a line to the table in Screenshots.cpp.
namespace Shots {

QImage mainWindow();
QImage longComposition();
QImage kaomojiListOpened();
QImage emptyListOpened();
QImage openDialog();
QImage palettePage1();
QImage palettePage2();
QImage palettePage3();
QImage about();
QImage usage();

// Shows window, lets it settle and takes its picture.
QImage picture(QWidget *window);
// The picture of the shown window with popup, a window of its own, drawn where it stands.
QImage pictureWithPopup(QWidget *window, QWidget *popup);

} // namespace Shots
