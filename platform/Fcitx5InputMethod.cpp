#include "platform/Fcitx5InputMethod.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");

class NoInputMethod final : public InputMethod
{
public:
    void openHiragana() override { }
};

} // namespace

Fcitx5InputMethod::Fcitx5InputMethod(QDBusConnection bus)
    : m_bus(std::move(bus))
{
}

bool Fcitx5InputMethod::isRunning(const QDBusConnection &bus)
{
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService);
}

void Fcitx5InputMethod::openHiragana()
{
    QDBusMessage activate = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/controller"), QStringLiteral("org.fcitx.Fcitx.Controller1"),
        QStringLiteral("Activate"));
    // Never start an input method that the user does not run.
    activate.setAutoStartService(false);
    m_bus.send(activate);
}

std::unique_ptr<InputMethod> inputMethodFor(const QDBusConnection &bus)
{
    if (Fcitx5InputMethod::isRunning(bus))
        return std::make_unique<Fcitx5InputMethod>(bus);
    return std::make_unique<NoInputMethod>();
}
