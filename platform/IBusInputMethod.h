#pragma once

#include "platform/InputMethod.h"

#include <QObject>
#include <QString>

#include <functional>

class QDBusMessage;

// IBus, reached through the connection of Qt's IBus plugin to ibus-daemon's own bus. The
// daemon answers calls on an input context only from the connection that made it, so a
// context that answers is ours, and SetEngine and PropertyActivate name it directly.
// ibus-daemon keeps one engine for all programs: the engine that ours replaced is given back
// when the focus leaves our windows.
class IBusInputMethod final : public QObject, public InputMethod
{
    Q_OBJECT

public:
    // japaneseEngine gives the Japanese engine the user configured, or nothing.
    explicit IBusInputMethod(std::function<QString()> japaneseEngine);

    void openHiragana() override;
    void cancelOpening() override;

private:
    using ReplyHandler = std::function<void(const QDBusMessage &reply)>;

    void askCurrentContext();
    void retry();
    void askEngine(const QString &path, const QString &engine);
    void setEngine(const QString &path, const QString &engine);
    void activateHiragana(const QString &path);
    void giveEngineBack();
    void call(const QString &path, const QString &interface, const QString &method,
              const QList<QVariant> &arguments, int timeoutMs, ReplyHandler onReply);

    std::function<QString()> m_japaneseEngine;
    // Every arrival and departure of the focus starts a new round: answers of an old one
    // are dropped.
    quint64 m_round = 0;
    int m_attempts = 0;
    QString m_engineToGiveBack;
};
