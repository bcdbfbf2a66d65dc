#include "Shots.h"

#include "main_window/MainWindow.h"
#include "palette/SymbolPalette.h"

#include <QTabWidget>

#include <memory>

namespace {

// A palette works for the main window, so one is made for it as at run time.
QImage palettePage(int page)
{
    const auto mainWindow = std::make_unique<MainWindow>();
    const auto palette = std::make_unique<SymbolPalette>();
    palette->findChild<QTabWidget *>(QStringLiteral("symbolPages"))->setCurrentIndex(page);
    return Shots::picture(palette.get());
}

} // namespace

namespace Shots {

QImage palettePage1()
{
    return palettePage(0);
}
QImage palettePage2()
{
    return palettePage(1);
}
QImage palettePage3()
{
    return palettePage(2);
}

} // namespace Shots
