#include "platform/Fcitx5InputMethod.h"

#include "platform/InputMethodLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace {

// The name that fcitx5-qt (5.0) gives its connection to the session bus. It exists from the
// moment Qt loads the plugin, whether fcitx5 runs or not, and is only looked up here, never
// opened.
const QString kPluginConnection = QStringLiteral("fcitx");
const QString kContextInterface = QStringLiteral("org.fcitx.Fcitx.InputContext1");
const QString kCurrentIm = QStringLiteral("CurrentIM");
constexpr int kCallTimeoutMs = 1000;

QDBusConnection pluginConnection()
{
    return QDBusConnection(kPluginConnection);
}

} // namespace

Fcitx5InputMethod::Fcitx5InputMethod()
{
    m_switch.setWindowFocused(QGuiApplication::focusWindow() != nullptr);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow *window) { m_switch.setWindowFocused(window != nullptr); });
    listen();
}

Fcitx5InputMethod::~Fcitx5InputMethod()
{
    if (m_listening)
        pluginConnection().disconnect(QString(), QString(), kContextInterface, kCurrentIm, this,
                                      SLOT(takeCurrentIm(QDBusMessage)));
}

void Fcitx5InputMethod::listen()
{
    QDBusConnection connection = pluginConnection();
    if (m_listening || !connection.isConnected())
        return;
    // From any sender on any path: fcitx5 sends CurrentIM to this connection only, which holds
    // only our contexts. A named sender would cost a blocking GetNameOwner.
    m_listening = connection.connect(QString(), QString(), kContextInterface, kCurrentIm, this,
                                     SLOT(takeCurrentIm(QDBusMessage)));
}

void Fcitx5InputMethod::openHiragana()
{
    listen();
    m_switch.focusArrived();
    // Qt tells its plugin of the new focus after this event: the plugin's FocusIn goes first.
    QTimer::singleShot(0, this, [this] { send(m_switch.takeNextCall()); });
}

void Fcitx5InputMethod::cancelOpening()
{
    m_switch.focusLeft();
}

void Fcitx5InputMethod::takeCurrentIm(const QDBusMessage &signal)
{
    // CurrentIM(name, unique name, language code).
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.size() < 3)
        return;
    qCDebug(inputMethodLog).noquote()
        << "fcitx5: context" << signal.path() << "on" << arguments.at(0).toString();
    m_switch.currentImReported(signal.service(), signal.path(), arguments.at(2).toString());
    send(m_switch.takeNextCall());
}

void Fcitx5InputMethod::send(Fcitx5Call call)
{
    if (call == Fcitx5Call::None)
        return;
    const bool activate = call == Fcitx5Call::Activate;
    QDBusMessage message = activate
        ? QDBusMessage::createMethodCall(m_switch.daemon(), QStringLiteral("/controller"),
                                         QStringLiteral("org.fcitx.Fcitx.Controller1"),
                                         QStringLiteral("Activate"))
        : QDBusMessage::createMethodCall(m_switch.daemon(), m_switch.path(), kContextInterface,
                                         QStringLiteral("FocusIn"));
    // Never start an input method that the user does not run.
    message.setAutoStartService(false);
    qCDebug(inputMethodLog).noquote() << "fcitx5:" << message.member() << "for" << m_switch.path();
    auto *watcher
        = new QDBusPendingCallWatcher(pluginConnection().asyncCall(message, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, activate](QDBusPendingCallWatcher *answered) {
                answered->deleteLater();
                const QDBusPendingReply<> reply = *answered;
                if (reply.isError())
                    qCWarning(inputMethodLog).noquote() << "fcitx5:" << reply.error().message();
                if (!activate)
                    return;
                m_switch.activateAnswered(!reply.isError());
                send(m_switch.takeNextCall());
            });
}
