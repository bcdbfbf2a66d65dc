#include "platform/CloseAction.h"

#include "platform/HandlerGuard.h"

#include <QCloseEvent>
#include <QWidget>

namespace {

class CloseFilter final : public QObject
{
public:
    CloseFilter(QWidget *window, std::function<void(CloseAction &)> handler)
        : QObject(window)
        , m_window(window)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        CloseAction action = CloseAction::Hide;
        runGuarded([&] { m_handler(action); });
        switch (action) {
        case CloseAction::None:
            event->ignore();
            return true;
        case CloseAction::Hide:
            break;
        case CloseAction::Free:
            // Qt deletes the window once the close has gone through.
            m_window->setAttribute(Qt::WA_DeleteOnClose);
            break;
        case CloseAction::Minimize:
            event->ignore();
            m_window->showMinimized();
            return true;
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void(CloseAction &)> m_handler;
};

} // namespace

void onClose(QWidget *window, std::function<void(CloseAction &)> handler)
{
    window->installEventFilter(new CloseFilter(window, std::move(handler)));
}

void freeOnClose(CloseAction &action)
{
    action = CloseAction::Free;
}
