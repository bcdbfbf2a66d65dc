#include "platform/IBusInputMethod.h"

#include "platform/InputMethodLog.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace {

// The name that Qt's IBus plugin gives its connection to ibus-daemon's bus. It is only
// looked up here, never opened: an absent or hung daemon costs nothing.
const QString kPluginConnection = QStringLiteral("QIBusProxy");
const QString kService = QStringLiteral("org.freedesktop.IBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/IBus");
const QString kContextInterface = QStringLiteral("org.freedesktop.IBus.InputContext");
// The hiragana mode of Anthy, Mozc and KKC alike, and IBus's PROP_STATE_CHECKED.
const QString kHiraganaProperty = QStringLiteral("InputMode.Hiragana");
constexpr uint kChecked = 1;
// ibus-daemon never answers a call on another program's context.
constexpr int kOwnershipTimeoutMs = 500;
// The first SetEngine starts the engine's process.
constexpr int kSetEngineTimeoutMs = 5000;
constexpr int kCallTimeoutMs = 1000;
constexpr int kMaxAttempts = 5;

QDBusConnection pluginConnection()
{
    return QDBusConnection(kPluginConnection);
}

// The name in a serialised IBusEngineDesc: (s "IBusEngineDesc", a{sv}, s name, ...).
QString engineName(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    const QVariant described = qvariant_cast<QDBusVariant>(reply.arguments().at(0)).variant();
    const QDBusArgument argument = qvariant_cast<QDBusArgument>(described);
    if (argument.currentType() != QDBusArgument::StructureType)
        return {};
    QString typeName;
    QString name;
    argument.beginStructure();
    argument >> typeName;
    argument.beginMap();
    while (!argument.atEnd()) {
        QString key;
        QDBusVariant attachment;
        argument.beginMapEntry();
        argument >> key >> attachment;
        argument.endMapEntry();
    }
    argument.endMap();
    argument >> name;
    // Closing the structure frees its reader; the rest of the description is not needed.
    argument.endStructure();
    return typeName == QLatin1String("IBusEngineDesc") ? name : QString();
}

bool unanswered(const QDBusMessage &reply)
{
    const QString error = reply.errorName();
    return error == QLatin1String("org.freedesktop.DBus.Error.NoReply")
        || error == QLatin1String("org.freedesktop.DBus.Error.Timeout");
}

} // namespace

IBusInputMethod::IBusInputMethod(std::function<QString()> japaneseEngine)
    : m_japaneseEngine(std::move(japaneseEngine))
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
        if (!window)
            giveEngineBack();
    });
    // Closing the window ends the program before its focus is seen to go.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &IBusInputMethod::giveEngineBack);
}

void IBusInputMethod::openHiragana()
{
    ++m_round;
    m_attempts = 0;
    // Qt tells its plugin of the new focus after this event: the plugin's FocusIn goes first.
    const quint64 round = m_round;
    QTimer::singleShot(0, this, [this, round] {
        if (round == m_round)
            askCurrentContext();
    });
}

void IBusInputMethod::cancelOpening()
{
    ++m_round;
}

void IBusInputMethod::askCurrentContext()
{
    if (!pluginConnection().isConnected())
        return;
    const QString engine = m_japaneseEngine();
    if (engine.isEmpty()) {
        qCDebug(inputMethodLog) << "ibus: no Japanese engine configured";
        return;
    }
    // Answered after the plugin's FocusIn, which went out before on the same connection.
    call(kBusPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
         {kService, QStringLiteral("CurrentInputContext")}, kCallTimeoutMs,
         [this, engine](const QDBusMessage &reply) {
             if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                 // Such as fcitx5's stand-in for IBus, which has no such property.
                 qCDebug(inputMethodLog) << "ibus: no current context:" << reply.errorMessage();
                 return;
             }
             const QVariant path = qvariant_cast<QDBusVariant>(reply.arguments().at(0)).variant();
             askEngine(qvariant_cast<QDBusObjectPath>(path).path(), engine);
         });
}

void IBusInputMethod::askEngine(const QString &path, const QString &engine)
{
    call(path, kContextInterface, QStringLiteral("GetEngine"), {}, kOwnershipTimeoutMs,
         [this, path, engine](const QDBusMessage &reply) {
             if (unanswered(reply)) {
                 qCDebug(inputMethodLog).noquote() << "ibus: context" << path << "is not ours";
                 retry();
                 return;
             }
             // Answered, so ours; an error here says it has no engine yet.
             const QString current = engineName(reply);
             if (current == engine) {
                 activateHiragana(path);
                 return;
             }
             // "dummy" is IBus's stand-in for no engine, nothing to give back.
             if (m_engineToGiveBack.isEmpty() && !current.isEmpty()
                 && current != QLatin1String("dummy"))
                 m_engineToGiveBack = current;
             setEngine(path, engine);
         });
}

void IBusInputMethod::retry()
{
    if (++m_attempts >= kMaxAttempts) {
        qCWarning(inputMethodLog) << "ibus: our input context never got the focus";
        return;
    }
    const quint64 round = m_round;
    QTimer::singleShot(50 * m_attempts, this, [this, round] {
        if (round == m_round)
            askCurrentContext();
    });
}

void IBusInputMethod::setEngine(const QString &path, const QString &engine)
{
    call(path, kContextInterface, QStringLiteral("SetEngine"), {engine}, kSetEngineTimeoutMs,
         [this, path, engine](const QDBusMessage &reply) {
             if (reply.type() != QDBusMessage::ReplyMessage) {
                 qCWarning(inputMethodLog).noquote()
                     << "ibus: SetEngine" << engine << "failed:" << reply.errorMessage();
                 return;
             }
             activateHiragana(path);
         });
}

void IBusInputMethod::activateHiragana(const QString &path)
{
    call(path, kContextInterface, QStringLiteral("PropertyActivate"),
         {kHiraganaProperty, QVariant::fromValue(kChecked)}, kCallTimeoutMs,
         [path](const QDBusMessage &reply) {
             if (reply.type() != QDBusMessage::ReplyMessage)
                 qCWarning(inputMethodLog)
                     << "ibus: PropertyActivate failed:" << reply.errorMessage();
             else
                 qCDebug(inputMethodLog).noquote() << "ibus: context" << path << "in hiragana";
         });
}

void IBusInputMethod::giveEngineBack()
{
    ++m_round;
    if (m_engineToGiveBack.isEmpty())
        return;
    // To the daemon, not to our context: by the time it reads this, the engine may sit on the
    // next program's context already. Sent after anything of ours still pending, so it wins.
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kBusPath, kService,
                                                          QStringLiteral("SetGlobalEngine"));
    message << std::exchange(m_engineToGiveBack, QString());
    message.setAutoStartService(false);
    pluginConnection().asyncCall(message, kCallTimeoutMs);
    qCDebug(inputMethodLog).noquote()
        << "ibus: engine" << message.arguments().at(0).toString() << "given back";
}

void IBusInputMethod::call(const QString &path, const QString &interface, const QString &method,
                           const QList<QVariant> &arguments, int timeoutMs, ReplyHandler onReply)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    auto *watcher
        = new QDBusPendingCallWatcher(pluginConnection().asyncCall(message, timeoutMs), this);
    const quint64 round = m_round;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, round, onReply = std::move(onReply)](QDBusPendingCallWatcher *answered) {
                answered->deleteLater();
                if (round == m_round)
                    onReply(answered->reply());
            });
}
