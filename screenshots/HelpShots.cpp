#include "Shots.h"

#include "about/Unit2.h"
#include "about/Unit4.h"

#include <memory>

namespace Shots {

QImage about()
{
    const auto form = std::make_unique<TForm2>();
    return picture(form.get());
}

QImage usage()
{
    const auto form = std::make_unique<TForm4>();
    return picture(form.get());
}

} // namespace Shots
