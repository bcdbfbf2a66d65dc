#include "Shots.h"

#include "main_window/MainWindow.h"

#include <memory>

namespace Shots {

QImage mainWindow()
{
    const auto window = std::make_unique<MainWindow>();
    return picture(window.get());
}

} // namespace Shots
