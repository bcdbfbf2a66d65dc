#include "platform/SmallTextBox.h"

#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>

#include <cmath>

namespace {

// The application's style, but with a shortest thumb of a third of its groove at most.
class ShortThumbStyle final : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (metric != PM_ScrollBarSliderMin || !bar)
            return value;
        // The groove is the bar less the arrow buttons at its ends.
        const int length
            = bar->orientation == Qt::Vertical ? bar->rect.height() : bar->rect.width();
        const int groove
            = length - 2 * QProxyStyle::pixelMetric(PM_ScrollBarExtent, option, widget);
        return qMin(value, qMax(1, groove / 3));
    }
};

} // namespace

namespace SmallTextBox {

void showWholeLines(QPlainTextEdit *box, int lines)
{
    box->ensurePolished();
    const QFontMetricsF metrics(box->font());
    // Qt lays a line out as high as its ascent, descent and leading, rounded up.
    const qreal height = metrics.ascent() + metrics.descent() + metrics.leading();
    const int pitch = int(std::ceil(height));
    const Fonts::Overhang overhang = Fonts::overhang(box->font());
    const int above = int(std::ceil(overhang.above));
    const int below = int(std::ceil(qMax(0.0, overhang.below - (pitch - height))));
    const int leftover = box->contentsRect().height() - lines * pitch;
    // The margin stands above the first line. Qt's own margin of 4 where the lines leave
    // room for it; otherwise room for the glyphs that reach over the first line comes
    // first, then for those that reach under the last.
    const int margin = qMax(qMin(above, leftover), qMin(leftover - below, 4));
    box->document()->setDocumentMargin(qMax(0, margin));
}

void keepThumbMovable(QPlainTextEdit *box)
{
    auto *style = new ShortThumbStyle;
    QScrollBar *bar = box->verticalScrollBar();
    // The bar does not own the style it is given.
    style->setParent(bar);
    bar->setStyle(style);
}

} // namespace SmallTextBox
