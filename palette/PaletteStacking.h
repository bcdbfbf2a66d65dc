#pragma once

class QWidget;

// Palettes stay on top of all windows while the program is the active one. When another
// program becomes active, the palettes that lie above the main window give that place up,
// so that the other program's windows can cover them, and take it back as soon as the
// program is active again; palettes below the main window, and the main window itself,
// keep it.
namespace PaletteStacking {

// Puts a palette, shown or about to be shown, under this rule. It counts as lying above
// the main window until one of them is activated.
void manage(QWidget *palette, QWidget *mainWindow);

} // namespace PaletteStacking
