#include "PrivateBus.h"
#include "platform/Fcitx5InputMethod.h"
#include "platform/Fcitx5Switch.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QTest>
#include <QWidget>

namespace {

const QString kContextPath = QStringLiteral("/org/freedesktop/portal/inputcontext/1");

} // namespace

// Stands in for fcitx5: one input context, owned by the plugin's connection, whose input
// method it reports to that connection as fcitx5 does.
class FakeFcitx5 final : public QObject
{
    Q_OBJECT

public:
    FakeFcitx5(QDBusConnection own, QString client)
        : m_own(std::move(own))
        , m_client(std::move(client))
    {
    }

    void report()
    {
        QDBusMessage signal = QDBusMessage::createTargetedSignal(
            m_client, kContextPath, QStringLiteral("org.fcitx.Fcitx.InputContext1"),
            QStringLiteral("CurrentIM"));
        const bool japanese = inputMethod == QLatin1String("anthy");
        signal << inputMethod << inputMethod
               << (japanese ? QStringLiteral("ja") : QStringLiteral("en"));
        m_own.send(signal);
    }

    QString inputMethod = QStringLiteral("keyboard-us");
    // Activate finds our context focused only from this call on (1 is the first).
    int activateReachesFrom = 1;
    QStringList calls;

private:
    QDBusConnection m_own;
    QString m_client;
};

class FakeController final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")

public:
    explicit FakeController(FakeFcitx5 *fcitx5)
        : m_fcitx5(fcitx5)
    {
    }

public slots:
    void Activate()
    {
        m_fcitx5->calls.append(QStringLiteral("Activate from ") + message().service());
        if (m_fcitx5->calls.count(QStringLiteral("Activate from ") + message().service())
            >= m_fcitx5->activateReachesFrom) {
            m_fcitx5->inputMethod = QStringLiteral("anthy");
            m_fcitx5->report();
        }
    }

private:
    FakeFcitx5 *m_fcitx5;
};

class FakeContext final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.InputContext1")

public:
    explicit FakeContext(FakeFcitx5 *fcitx5)
        : m_fcitx5(fcitx5)
    {
    }

public slots:
    void FocusIn()
    {
        m_fcitx5->calls.append(QStringLiteral("FocusIn from ") + message().service());
        m_fcitx5->report();
    }

private:
    FakeFcitx5 *m_fcitx5;
};

class tst_Fcitx5InputMethod : public QObject
{
    Q_OBJECT

private slots:
    void whenActivateGoesOut_data();
    void whenActivateGoesOut();

    void activateReachesOurContext_data();
    void activateReachesOurContext();
};

// Events: "focus" / "leave" (a Japanese field gains / loses the focus), "window off" /
// "window on" (our windows lose / regain the keyboard focus), "ok" / "fail" (Activate's
// answer) and "PATH LANGUAGE" or "DAEMON PATH LANGUAGE" for a CurrentIM report of fcitx5.
// After each event the call due is taken.
void tst_Fcitx5InputMethod::whenActivateGoesOut_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("calls");
    const QStringList activate{"Activate /ic/1"};
    QTest::newRow("start-up: only after fcitx5 reported our context")
        << QStringList{"focus", "/ic/1 en"} << activate;
    QTest::newRow("Tab: reported before") << QStringList{"/ic/1 en", "focus"} << activate;
    QTest::newRow("already Japanese") << QStringList{"focus", "/ic/1 ja"} << QStringList();
    QTest::newRow("mozc's language code") << QStringList{"focus", "/ic/1 ja_JP"} << QStringList();
    QTest::newRow("Activate's own report ends it")
        << QStringList{"focus", "/ic/1 en", "/ic/1 ja", "ok"} << activate;
    QTest::newRow("the user turns it off in the field: left so")
        << QStringList{"focus", "/ic/1 en", "/ic/1 ja", "ok", "/ic/1 en"} << activate;
    QTest::newRow("turned off, then the focus comes again")
        << QStringList{"focus", "/ic/1 en", "/ic/1 ja", "ok", "/ic/1 en", "leave", "focus"}
        << QStringList{"Activate /ic/1", "Activate /ic/1"};
    QTest::newRow("one Activate at a time")
        << QStringList{"focus", "/ic/1 en", "/ic/1 en", "focus"} << activate;
    QTest::newRow("no Japanese field has the focus") << QStringList{"/ic/1 en"} << QStringList();
    QTest::newRow("the field lost the focus before the report")
        << QStringList{"focus", "leave", "/ic/1 en"} << QStringList();
    QTest::newRow("another program got the focus before the report")
        << QStringList{"focus", "window off", "/ic/1 en"} << QStringList();
    QTest::newRow("a report that came while away proves nothing")
        << QStringList{"focus", "window off", "/ic/1 en", "window on", "focus"} << QStringList();
    QTest::newRow("a report from before leaving proves nothing")
        << QStringList{"/ic/1 en", "window off", "window on", "focus"} << QStringList();
    QTest::newRow("back from another program, reported again")
        << QStringList{"/ic/1 en", "window off", "window on", "focus", "/ic/1 en"} << activate;
    QTest::newRow("fcitx5 started after the focus came: its new context")
        << QStringList{"focus", "/ic/1 ja", "/ic/2 en"} << QStringList{"Activate /ic/2"};
    QTest::newRow("fcitx5 restarted: the same path from another daemon")
        << QStringList{"focus", ":1.5 /ic/1 ja", ":1.9 /ic/1 en"} << QStringList{"Activate /ic/1"};
    QTest::newRow("Activate missed our context: focused again once")
        << QStringList{"focus", "/ic/1 en", "ok", "/ic/1 en", "ok", "/ic/1 en"}
        << QStringList{"Activate /ic/1", "FocusIn /ic/1", "Activate /ic/1"};
    QTest::newRow("Activate missed after we left: nothing more")
        << QStringList{"focus", "/ic/1 en", "window off", "ok"} << activate;
    QTest::newRow("Activate missed after the field lost the focus: nothing more")
        << QStringList{"focus", "/ic/1 en", "leave", "ok"} << activate;
    QTest::newRow("Activate failed: until the next arrival")
        << QStringList{"focus", "/ic/1 en", "fail", "/ic/1 en", "focus"}
        << QStringList{"Activate /ic/1", "Activate /ic/1"};
}

void tst_Fcitx5InputMethod::whenActivateGoesOut()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, calls);

    Fcitx5Switch fcitx5Switch;
    fcitx5Switch.setWindowFocused(true);
    QStringList taken;
    for (const QString &event : std::as_const(events)) {
        if (event == QLatin1String("focus")) {
            fcitx5Switch.focusArrived();
        } else if (event == QLatin1String("leave")) {
            fcitx5Switch.focusLeft();
        } else if (event.startsWith(QLatin1String("window"))) {
            fcitx5Switch.setWindowFocused(event.endsWith(QLatin1String("on")));
        } else if (event == QLatin1String("ok") || event == QLatin1String("fail")) {
            fcitx5Switch.activateAnswered(event == QLatin1String("ok"));
        } else {
            QStringList report = event.split(QLatin1Char(' '));
            if (report.size() == 2)
                report.prepend(QStringLiteral(":1.1"));
            fcitx5Switch.currentImReported(report.at(0), report.at(1), report.at(2));
        }
        const Fcitx5Call call = fcitx5Switch.takeNextCall();
        if (call != Fcitx5Call::None)
            taken.append((call == Fcitx5Call::Activate ? QStringLiteral("Activate ")
                                                       : QStringLiteral("FocusIn "))
                         + fcitx5Switch.path());
    }
    QCOMPARE(taken, calls);
}

void tst_Fcitx5InputMethod::activateReachesOurContext_data()
{
    QTest::addColumn<int>("activateReachesFrom");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("at once") << 1 << QStringList{"Activate"};
    QTest::newRow("after our context was focused again")
        << 2 << QStringList{"Activate", "FocusIn", "Activate"};
}

// Through a private bus: the adapter hears fcitx5's report on the plugin's connection and
// sends its calls on that same connection, so that they follow the plugin's FocusIn.
void tst_Fcitx5InputMethod::activateReachesOurContext()
{
    QFETCH(int, activateReachesFrom);
    QFETCH(QStringList, calls);

    PrivateBus bus;
    if (!bus.isValid())
        QSKIP("no dbus-daemon to run a private bus");
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QDBusConnection plugin = bus.connect(QStringLiteral("fcitx"));
    QDBusConnection own = bus.connect(QStringLiteral("fake fcitx5"));
    FakeFcitx5 fcitx5(own, plugin.baseService());
    fcitx5.activateReachesFrom = activateReachesFrom;
    FakeController controller(&fcitx5);
    FakeContext context(&fcitx5);
    QVERIFY(own.registerObject(QStringLiteral("/controller"), &controller,
                               QDBusConnection::ExportAllSlots));
    QVERIFY(own.registerObject(kContextPath, &context, QDBusConnection::ExportAllSlots));

    {
        Fcitx5InputMethod inputMethod;
        inputMethod.openHiragana();
        fcitx5.report();
        QStringList expected;
        for (const QString &call : std::as_const(calls))
            expected.append(call + QStringLiteral(" from ") + plugin.baseService());
        QTRY_COMPARE(fcitx5.calls, expected);
        QCOMPARE(fcitx5.inputMethod, QStringLiteral("anthy"));
    }
}

QTEST_MAIN(tst_Fcitx5InputMethod)
#include "tst_fcitx5inputmethod.moc"
