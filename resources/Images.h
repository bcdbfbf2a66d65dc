#pragma once

#include <QIcon>

// The pictures of the main window, drawn for it and compiled into the program.
namespace Images {

// The six tool-bar images, in the order the tool buttons refer to them.
QIcon toolImage(int index);
inline constexpr int kToolImageCount = 6;

// The copy button's glyph: the picture while enabled, its grey copy while disabled.
QIcon copyGlyph();

// The application's icon, also the main window's title-bar icon.
QIcon programIcon();

} // namespace Images
