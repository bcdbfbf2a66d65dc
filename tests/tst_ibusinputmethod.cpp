#include "PrivateBus.h"
#include "platform/IBusEngines.h"
#include "platform/IBusInputMethod.h"

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

namespace {

const QString kOurs = QStringLiteral("/org/freedesktop/IBus/InputContext_1");
const QString kForeign = QStringLiteral("/org/freedesktop/IBus/InputContext_2");

} // namespace

// Stands in for ibus-daemon's bus object: which context has the focus, the global engine.
class FakeIBus final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.IBus")
    Q_PROPERTY(QDBusObjectPath CurrentInputContext READ currentInputContext)

public:
    QDBusObjectPath currentInputContext() const { return QDBusObjectPath(current); }

    QString current;
    QStringList globalEngines;

public slots:
    void SetGlobalEngine(const QString &engine) { globalEngines.append(engine); }
};

// An input context that, like ibus-daemon's, answers its owner only.
class FakeContext final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.IBus.InputContext")

public:
    FakeContext(QString owner, QString engine)
        : m_owner(std::move(owner))
        , m_engine(std::move(engine))
    {
    }

    QStringList calls;

public slots:
    QDBusVariant GetEngine()
    {
        if (!answer(QStringLiteral("GetEngine")))
            return {};
        // The head of a serialised IBusEngineDesc: type name, attachments, engine name.
        QDBusArgument description;
        description.beginStructure();
        description << QStringLiteral("IBusEngineDesc");
        description.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QDBusVariant>());
        description.endMap();
        description << m_engine << QStringLiteral("long name");
        description.endStructure();
        return QDBusVariant(QVariant::fromValue(description));
    }

    void SetEngine(const QString &engine)
    {
        if (answer(QStringLiteral("SetEngine ") + engine))
            m_engine = engine;
    }

    void PropertyActivate(const QString &name, uint state)
    {
        answer(QStringLiteral("PropertyActivate %1 %2").arg(name).arg(state));
    }

private:
    bool answer(const QString &call)
    {
        calls.append(call);
        if (message().service() == m_owner)
            return true;
        setDelayedReply(true);
        return false;
    }

    QString m_owner;
    QString m_engine;
};

class tst_IBusInputMethod : public QObject
{
    Q_OBJECT

private slots:
    void japaneseEngine_data();
    void japaneseEngine();
    void enginesFromTheUsersSettings();

    void ourContextToHiragana();
};

void tst_IBusInputMethod::japaneseEngine_data()
{
    QTest::addColumn<QStringList>("configured");
    QTest::addColumn<QString>("engine");
    QTest::newRow("nothing configured") << QStringList() << QString();
    QTest::newRow("Anthy after a layout") << QStringList{"xkb:us::eng", "anthy"} << "anthy";
    QTest::newRow("the user's order") << QStringList{"kkc", "anthy", "mozc-jp"} << "kkc";
    QTest::newRow("Mozc's engine name") << QStringList{"xkb:jp::jpn", "mozc-jp"} << "mozc-jp";
    QTest::newRow("a Japanese layout is no input method")
        << QStringList{"xkb:jp::jpn"} << QString();
    QTest::newRow("package names are no engines") << QStringList{"mozc", "ibus-anthy"} << QString();
    QTest::newRow("other languages") << QStringList{"libpinyin", "hangul"} << QString();
}

void tst_IBusInputMethod::japaneseEngine()
{
    QFETCH(QStringList, configured);
    QFETCH(QString, engine);
    QCOMPARE(IBusEngines::japaneseEngineAmong(configured), engine);
}

// The user's settings as GSettings gives them; the key file stands in for dconf.
void tst_IBusInputMethod::enginesFromTheUsersSettings()
{
    // The schemas are found beside the system's other data, not in the test's own folders.
    qputenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    const auto hasSchema = [](const char *file) {
        return !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                       QStringLiteral("glib-2.0/schemas/") + QLatin1String(file))
                    .isEmpty();
    };
    if (!hasSchema("org.freedesktop.ibus.gschema.xml"))
        QSKIP("IBus's settings schema is not installed");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/glib-2.0/settings");
    QVERIFY(QDir().mkpath(folder));
    QFile keyFile(folder + QStringLiteral("/keyfile"));
    QVERIFY(keyFile.open(QIODevice::WriteOnly));
    keyFile.write("[desktop/ibus/general]\n"
                  "preload-engines=['xkb:us::eng', 'kkc']\n"
                  "[org/gnome/desktop/input-sources]\n"
                  "sources=[('xkb', 'jp'), ('ibus', 'mozc-jp'), ('ibus', 'kkc')]\n");
    keyFile.close();
    qputenv("GSETTINGS_BACKEND", "keyfile");

    QStringList expected{"xkb:us::eng", "kkc"};
    if (hasSchema("org.gnome.desktop.input-sources.gschema.xml"))
        expected.append(QStringLiteral("mozc-jp"));
    QCOMPARE(IBusEngines::configuredEngines(), expected);
    QCOMPARE(IBusEngines::configuredJapaneseEngine(), QStringLiteral("kkc"));
}

// Through a private bus: the focused context is asked on the plugin's connection until it
// is ours, set to the engine and to hiragana; the engine it had is given back on leaving.
void tst_IBusInputMethod::ourContextToHiragana()
{
    PrivateBus bus;
    if (!bus.isValid())
        QSKIP("no dbus-daemon to run a private bus");
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QDBusConnection plugin = bus.connect(QStringLiteral("QIBusProxy"));
    QDBusConnection own = bus.connect(QStringLiteral("fake ibus"));
    FakeIBus ibus;
    FakeContext ours(plugin.baseService(), QStringLiteral("xkb:us::eng"));
    FakeContext foreign(QStringLiteral(":1.999"), QStringLiteral("xkb:us::eng"));
    QVERIFY(
        own.registerObject(QStringLiteral("/org/freedesktop/IBus"), &ibus,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(own.registerObject(kOurs, &ours, QDBusConnection::ExportAllSlots));
    QVERIFY(own.registerObject(kForeign, &foreign, QDBusConnection::ExportAllSlots));
    QVERIFY(own.registerService(QStringLiteral("org.freedesktop.IBus")));

    IBusInputMethod inputMethod([] { return QStringLiteral("anthy"); });
    // The plugin's FocusIn has not reached the daemon yet: another program's context is
    // still the focused one.
    ibus.current = kForeign;
    inputMethod.openHiragana();
    QTRY_COMPARE(foreign.calls, QStringList{"GetEngine"});
    ibus.current = kOurs;
    const QString hiragana = QStringLiteral("PropertyActivate InputMode.Hiragana 1");
    QTRY_COMPARE_WITH_TIMEOUT(ours.calls, (QStringList{"GetEngine", "SetEngine anthy", hiragana}),
                              10000);
    QCOMPARE(foreign.calls, QStringList{"GetEngine"});

    // Another program takes the focus; the offscreen platform has no other program, so the
    // signal is given as Qt gives it.
    inputMethod.cancelOpening();
    Q_EMIT qGuiApp->focusWindowChanged(nullptr);
    QTRY_COMPARE(ibus.globalEngines, QStringList{"xkb:us::eng"});

    // Back again with the engine still on our context: only the input mode is set.
    ours.calls.clear();
    Q_EMIT qGuiApp->focusWindowChanged(window.windowHandle());
    inputMethod.openHiragana();
    QTRY_COMPARE(ours.calls, (QStringList{"GetEngine", hiragana}));
}

QTEST_MAIN(tst_IBusInputMethod)
#include "tst_ibusinputmethod.moc"
