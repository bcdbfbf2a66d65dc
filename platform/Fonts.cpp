#include "platform/Fonts.h"

#include <QStringList>

namespace Fonts {

QFont font(Family family, int pixelSize, bool bold)
{
    QFont font;
    switch (family) {
    case Family::MsPGothic:
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                          QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        break;
    case Family::MsMincho:
        font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                          QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")});
        break;
    case Family::TimesNewRoman:
        font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
        break;
    }
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace Fonts
