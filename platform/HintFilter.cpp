#include "platform/HintFilter.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kShowHintProperty[] = "morvelaShowHint";

// Hints are off unless the widget or one holding it switched them on.
bool showsHints(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant setting = widget->property(kShowHintProperty);
        if (setting.isValid())
            return setting.toBool();
        if (widget->isWindow())
            break;
    }
    return false;
}

// The widget whose tooltip is the hint: the first with one, from widget up to its window.
QWidget *hintOwner(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (!widget->toolTip().isEmpty())
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

// Escaped and kept as it is, so that Qt never takes a hint for markup.
QString asPlainTextTip(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return QLatin1String("<p style='white-space:pre'>") + text.toHtmlEscaped()
        + QLatin1String("</p>");
}

} // namespace

HintFilter::HintFilter(QObject *parent)
    : QObject(parent)
    , m_pauseTimer(this)
    , m_hideTimer(this)
{
    m_pauseTimer.setObjectName(QStringLiteral("hintPause"));
    m_hideTimer.setObjectName(QStringLiteral("hintHide"));
    m_pauseTimer.setSingleShot(true);
    m_pauseTimer.setTimerType(Qt::PreciseTimer);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pauseTimer, &QTimer::timeout, this, &HintFilter::showHint);
    connect(&m_hideTimer, &QTimer::timeout, this, &HintFilter::hideHint);
}

void HintFilter::install()
{
    QApplication *application = qApp;
    if (!application || application->findChild<HintFilter *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    application->installEventFilter(new HintFilter(application));
}

void HintFilter::setShowHint(QWidget *widget, bool show)
{
    widget->setProperty(kShowHintProperty, show);
}

QString HintFilter::shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

bool HintFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // Qt's own tooltip would come on its own timing and take markup as such.
        return true;
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched->isWidgetType() && mouse->buttons() == Qt::NoButton)
            mouseOver(static_cast<QWidget *>(watched), mouse->globalPosition().toPoint());
        break;
    }
    case QEvent::Enter:
        if (const auto *enter = dynamic_cast<QEnterEvent *>(event);
            enter && watched->isWidgetType())
            mouseOver(static_cast<QWidget *>(watched), enter->globalPosition().toPoint());
        break;
    case QEvent::Leave:
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            cancel();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        if (watched->isWidgetType())
            cancel();
        break;
    default:
        break;
    }
    return false;
}

void HintFilter::mouseOver(QWidget *widget, QPoint globalPosition)
{
    if (!showsHints(widget)) {
        cancel();
        return;
    }
    QWidget *owner = hintOwner(widget);
    m_position = globalPosition;
    if (m_overHintedPlace && owner == m_control) {
        // Still on the same control: a hint that shows stays; one that is due waits for rest.
        if (m_pauseTimer.isActive())
            m_pauseTimer.start();
        return;
    }
    const bool wasActive = m_active;
    hideHint();
    m_active = wasActive;
    m_overHintedPlace = true;
    m_control = owner;
    m_pauseTimer.setInterval(wasActive ? kShortPause : kPause);
    m_pauseTimer.start();
}

void HintFilter::showHint()
{
    const QString text = m_control ? shortHint(m_control->toolTip()) : QString();
    if (text.isEmpty()) {
        m_active = false;
        return;
    }
    QToolTip::showText(m_position, asPlainTextTip(text), m_control, QRect(), kHidePause);
    m_active = true;
    m_hideTimer.start(kHidePause);
}

void HintFilter::hideHint()
{
    m_hideTimer.stop();
    if (m_active)
        QToolTip::hideText();
    m_active = false;
    // Once a hint has gone, moving on the same control brings it back after a rest.
    m_overHintedPlace = false;
    m_control = nullptr;
}

void HintFilter::cancel()
{
    m_pauseTimer.stop();
    hideHint();
}
