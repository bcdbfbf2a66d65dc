#include "platform/InputMethod.h"

#include "platform/Fcitx5InputMethod.h"
#include "platform/IBusEngines.h"
#include "platform/IBusInputMethod.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

// A desktop whose input method the program cannot reach: the user switches it.
class NoInputMethod final : public InputMethod
{
public:
    void openHiragana() override { }
    void cancelOpening() override { }
};

std::unique_ptr<InputMethod> &adapter()
{
    static std::unique_ptr<InputMethod> current;
    return current;
}

// The adapters talk D-Bus through Qt: they go while Qt is still there.
void dropAdapter()
{
    adapter().reset();
}

std::unique_ptr<InputMethod> adapterFor(InputMethod::Daemon daemon)
{
    switch (daemon) {
    case InputMethod::Daemon::Fcitx5:
        return std::make_unique<Fcitx5InputMethod>();
    case InputMethod::Daemon::IBus:
        return std::make_unique<IBusInputMethod>(&IBusEngines::configuredJapaneseEngine);
    case InputMethod::Daemon::None:
        break;
    }
    return std::make_unique<NoInputMethod>();
}

class FocusFilter final : public QObject
{
public:
    explicit FocusFilter(QObject *parent)
        : QObject(parent)
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            InputMethod::current().openHiragana();
        else if (event->type() == QEvent::FocusOut)
            InputMethod::current().cancelOpening();
        return false;
    }
};

} // namespace

InputMethod::Daemon InputMethod::daemonFor(const QString &qtImModule)
{
    // Qt takes the plugin's name up to the first colon, in any case.
    const QString plugin = qtImModule.section(QLatin1Char(':'), 0, 0).toLower();
    if (plugin == QLatin1String("fcitx") || plugin == QLatin1String("fcitx5"))
        return Daemon::Fcitx5;
    if (plugin == QLatin1String("ibus"))
        return Daemon::IBus;
    return Daemon::None;
}

InputMethod &InputMethod::current()
{
    static bool dropRegistered = false;
    if (!adapter()) {
        adapter() = adapterFor(daemonFor(qEnvironmentVariable("QT_IM_MODULE")));
        if (!dropRegistered)
            qAddPostRoutine(&dropAdapter);
        dropRegistered = true;
    }
    return *adapter();
}

void InputMethod::setCurrent(std::unique_ptr<InputMethod> newAdapter)
{
    adapter() = std::move(newAdapter);
}

void InputMethod::openOnFocusIn(QWidget *control)
{
    control->installEventFilter(new FocusFilter(control));
}
