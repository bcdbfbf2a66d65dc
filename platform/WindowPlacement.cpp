#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

void centreFrame(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QPoint place
        = WindowPlacement::centred(screen->geometry(), window->frameGeometry().size());
    if (window->pos() != place)
        window->move(place);
}

// The window system frames a window only when it maps it; the frame's size is known from
// the first exposure on, so the place is worked out again then.
class FirstShowFilter final : public QObject
{
public:
    explicit FirstShowFilter(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            centreFrame(m_window);
            if (QWindow *handle = m_window->windowHandle())
                handle->installEventFilter(this);
        } else if (watched != m_window && event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            m_window->removeEventFilter(this);
            centreFrame(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_shown = false;
};

} // namespace

namespace WindowPlacement {

QPoint centred(const QRect &screen, const QSize &frameSize)
{
    const int left = screen.left() + (screen.width() - frameSize.width()) / 2;
    const int top = screen.top() + (screen.height() - frameSize.height()) / 2;
    return {qMax(screen.left(), left), qMax(screen.top(), top)};
}

void centreOnFirstShow(QWidget *window)
{
    window->installEventFilter(new FirstShowFilter(window));
}

} // namespace WindowPlacement
