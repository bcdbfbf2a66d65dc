#pragma once

#include <QFont>

// The layouts' font names with the fallbacks a Linux desktop has; sizes are em heights in
// pixels.
namespace Fonts {

enum class Family { MsPGothic, MsMincho, TimesNewRoman };

QFont font(Family family, int pixelSize, bool bold = false);

} // namespace Fonts
