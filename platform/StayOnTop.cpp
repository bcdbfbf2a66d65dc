#include "platform/StayOnTop.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

// How many takings a window's place has now.
constexpr char kTakenProperty[] = "morvelaStayOnTopTaken";

int takings(const QWidget *window)
{
    return window->property(kTakenProperty).toInt();
}

// Only the native window changes: setting the widget's flags would hide a shown window.
void setTakings(QWidget *window, int count)
{
    window->setProperty(kTakenProperty, count);
    if (QWindow *handle = window->windowHandle()) {
        const bool asks = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        handle->setFlag(Qt::WindowStaysOnTopHint, asks && count == 0);
    }
}

} // namespace

namespace StayOnTop {

void take(QWidget *window)
{
    setTakings(window, takings(window) + 1);
}

void giveBack(QWidget *window)
{
    setTakings(window, qMax(0, takings(window) - 1));
}

ModalTaking::ModalTaking(const QWidget *modal)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget == modal || !widget->isVisible()
            || !widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            continue;
        take(widget);
        m_taken.append(widget);
    }
}

ModalTaking::~ModalTaking()
{
    for (const QPointer<QWidget> &window : std::as_const(m_taken)) {
        if (window)
            giveBack(window);
    }
}

} // namespace StayOnTop
