#include "resources/Images.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>

namespace {

QPixmap withTransparent(const QImage &image, QRgb transparent)
{
    QImage clear = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < clear.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(clear.scanLine(y));
        for (int x = 0; x < clear.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(clear);
}

} // namespace

namespace Images {

QIcon toolImage(int index)
{
    static constexpr std::array<const char *, kToolImageCount> files = {
        ":/images/Clear.xpm",   ":/images/Kaomoji.xpm",    ":/images/Undo.xpm",
        ":/images/Symbols.xpm", ":/images/InsertText.xpm", ":/images/Phrase.xpm",
    };
    Q_ASSERT(index >= 0 && index < kToolImageCount);
    return QIcon(QString::fromLatin1(files[static_cast<std::size_t>(index)]));
}

QIcon copyGlyph()
{
    const QImage pair(QStringLiteral(":/images/CopyGlyph.xpm"));
    // The bitmap's bottom-left pixel names its transparent colour.
    const QRgb transparent = pair.pixel(0, pair.height() - 1);
    const int half = pair.width() / 2;
    QIcon icon;
    icon.addPixmap(withTransparent(pair.copy(0, 0, half, pair.height()), transparent));
    icon.addPixmap(withTransparent(pair.copy(half, 0, half, pair.height()), transparent),
                   QIcon::Disabled);
    return icon;
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/images/Morvela.xpm"));
}

} // namespace Images
