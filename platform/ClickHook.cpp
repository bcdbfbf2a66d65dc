#include "platform/ClickHook.h"

#include "platform/HandlerGuard.h"

#include <QMouseEvent>
#include <QWidget>

namespace {

class ClickFilter final : public QObject
{
public:
    ClickFilter(QWidget *control, std::function<void()> handler)
        : QObject(control)
        , m_control(control)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
            break;
        case QEvent::MouseButtonRelease:
            if (m_pressed && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_pressed = false;
                const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
                if (m_control->rect().contains(at))
                    runGuarded([this] { m_handler(); });
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *m_control;
    std::function<void()> m_handler;
    bool m_pressed = false;
};

} // namespace

namespace ClickHook {

void install(QWidget *control, std::function<void()> handler)
{
    control->installEventFilter(new ClickFilter(control, std::move(handler)));
}

} // namespace ClickHook
