#include "platform/CloseAction.h"

#include "platform/HandlerGuard.h"

#include <QCloseEvent>
#include <QWidget>

namespace {

class CloseFilter final : public QObject
{
public:
    CloseFilter(QWidget *form, std::function<void(TCloseAction &)> handler)
        : QObject(form)
        , m_form(form)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        TCloseAction action = TCloseAction::caHide;
        runGuarded([&] { m_handler(action); });
        switch (action) {
        case TCloseAction::caNone:
            event->ignore();
            return true;
        case TCloseAction::caHide:
            break;
        case TCloseAction::caFree:
            // Qt deletes the window once the close has gone through.
            m_form->setAttribute(Qt::WA_DeleteOnClose);
            break;
        case TCloseAction::caMinimize:
            event->ignore();
            m_form->showMinimized();
            return true;
        }
        return false;
    }

private:
    QWidget *m_form;
    std::function<void(TCloseAction &)> m_handler;
};

} // namespace

void bindFormClose(QWidget *form, std::function<void(TCloseAction &)> handler)
{
    form->installEventFilter(new CloseFilter(form, std::move(handler)));
}

void freeOnClose(TCloseAction &Action)
{
    Action = TCloseAction::caFree;
}
