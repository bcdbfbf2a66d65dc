#include "Shots.h"

#include "about/AboutWindow.h"
#include "about/UsageWindow.h"

#include <memory>

namespace Shots {

QImage about()
{
    const auto window = std::make_unique<AboutWindow>();
    return picture(window.get());
}

QImage usage()
{
    const auto window = std::make_unique<UsageWindow>();
    return picture(window.get());
}

} // namespace Shots
