#pragma once

#include <QFont>

// The layouts' font names with the fallbacks a Linux desktop has; sizes are em heights in
// pixels.
namespace Fonts {

enum class Family { MsPGothic, MsMincho, TimesNewRoman };

QFont font(Family family, int pixelSize, bool bold = false);

// How far, in pixels, the glyphs of font may reach above its ascent and below its descent, by
// the font's own box around all its glyphs. A line only as high as Qt's line height for
// the font would cut them: the full-width macron of "（￣▽￣）" stands above the ascent.
struct Overhang
{
    qreal above = 0;
    qreal below = 0;
};
Overhang overhang(const QFont &font);

} // namespace Fonts
