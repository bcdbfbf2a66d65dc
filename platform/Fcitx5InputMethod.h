#pragma once

#include "platform/Fcitx5Switch.h"
#include "platform/InputMethod.h"

#include <QObject>

class QDBusMessage;

// fcitx5, reached through the session-bus connection of Qt's fcitx5 plugin: only calls on
// that connection can reach our own input context, and fcitx5 reports our context on it.
// When Activate goes out is Fcitx5Switch's business.
class Fcitx5InputMethod final : public QObject, public InputMethod
{
    Q_OBJECT

public:
    Fcitx5InputMethod();
    ~Fcitx5InputMethod() override;

    void openHiragana() override;
    void cancelOpening() override;

private slots:
    void takeCurrentIm(const QDBusMessage &signal);

private:
    void listen();
    void send(Fcitx5Call call);

    Fcitx5Switch m_switch;
    bool m_listening = false;
};
