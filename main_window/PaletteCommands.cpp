#include "main_window/MainWindow.h"
#include "palette/PaletteStacking.h"
#include "palette/SymbolPalette.h"
#include "platform/HandlerGuard.h"
#include "ui_MainWindow.h"

namespace {

// As a window system gives a window the focus: an inactive window comes to the front,
// becomes active and gives the keyboard focus back to the control that had it last; an
// active one is left alone.
void focusWindow(QWidget *window)
{
    if (window->isActiveWindow())
        return;
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::bindPaletteCommands()
{
    connectGuarded(m_ui->paletteButton, &QToolButton::clicked, this, &MainWindow::openPalette);
}

void MainWindow::openPalette()
{
    auto *palette = new SymbolPalette;
    PaletteStacking::manage(palette, this);
    connectGuarded(palette, &SymbolPalette::symbolChosen, this, &MainWindow::insertSymbol);
    palette->show();
    palette->activateWindow();
}

void MainWindow::insertSymbol(const QString &symbol)
{
    m_composition.takeSnapshotAndInsert(symbol);
    // The click has made the palette active; typing goes on here, right after the symbol.
    focusWindow(this);
}
