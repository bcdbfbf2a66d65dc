#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>

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

Overhang overhang(const QFont &font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    // The font header: units per em at byte 18, the lowest and highest point of all the
    // glyphs at bytes 38 and 42.
    const QByteArray head = raw.fontTable("head");
    if (head.size() < 44)
        return {};
    const int unitsPerEm = qFromBigEndian<quint16>(head.constData() + 18);
    if (unitsPerEm == 0)
        return {};
    const qreal pixelsPerUnit = raw.pixelSize() / unitsPerEm;
    const qreal top = qFromBigEndian<qint16>(head.constData() + 42) * pixelsPerUnit;
    const qreal bottom = -qFromBigEndian<qint16>(head.constData() + 38) * pixelsPerUnit;
    const QFontMetricsF metrics(font);
    return {qMax(0.0, top - metrics.ascent()), qMax(0.0, bottom - metrics.descent())};
}

} // namespace Fonts
