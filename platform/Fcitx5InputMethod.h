#pragma once

#include "platform/InputMethod.h"

#include <QDBusConnection>

#include <memory>

// fcitx5, the input method framework of today's Linux desktops, asked over the session bus.
// Its Japanese engines start in hiragana when input is activated.
class Fcitx5InputMethod final : public InputMethod
{
public:
    explicit Fcitx5InputMethod(QDBusConnection bus);

    static bool isRunning(const QDBusConnection &bus);

    // Sends the request and returns at once: a focus change never waits on another program.
    void openHiragana() override;

private:
    QDBusConnection m_bus;
};

// The adapter for a desktop with this session bus: fcitx5 where it runs, otherwise one
// that does nothing.
std::unique_ptr<InputMethod> inputMethodFor(const QDBusConnection &bus);
