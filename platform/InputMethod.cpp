#include "platform/InputMethod.h"

#include "platform/Fcitx5InputMethod.h"

#include <QDBusConnection>
#include <QEvent>
#include <QWidget>

namespace {

std::unique_ptr<InputMethod> &adapter()
{
    static std::unique_ptr<InputMethod> current;
    return current;
}

class FocusInFilter final : public QObject
{
public:
    explicit FocusInFilter(QObject *parent)
        : QObject(parent)
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            InputMethod::current().openHiragana();
        return false;
    }
};

} // namespace

InputMethod &InputMethod::current()
{
    if (!adapter())
        adapter() = inputMethodFor(QDBusConnection::sessionBus());
    return *adapter();
}

void InputMethod::setCurrent(std::unique_ptr<InputMethod> newAdapter)
{
    adapter() = std::move(newAdapter);
}

void InputMethod::openOnFocusIn(QWidget *control)
{
    control->installEventFilter(new FocusInFilter(control));
}
