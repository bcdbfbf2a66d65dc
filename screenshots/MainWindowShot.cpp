#include "Shots.h"

#include "main_window/Unit1.h"

#include <memory>

namespace Shots {

QImage mainWindow()
{
    const auto form = std::make_unique<TForm1>();
    return picture(form.get());
}

} // namespace Shots
