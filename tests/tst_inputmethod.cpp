#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "platform/Fcitx5InputMethod.h"
#include "platform/InputMethod.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace TestSupport;

namespace {

// Notes which control had the focus each time hiragana was asked for.
class FakeInputMethod final : public InputMethod
{
public:
    explicit FakeInputMethod(QStringList *asks)
        : m_asks(asks)
    {
    }

    void openHiragana() override
    {
        const QWidget *focus = QApplication::focusWidget();
        m_asks->append(focus ? focus->objectName() : QString());
    }

private:
    QStringList *m_asks;
};

} // namespace

// Stands in for fcitx5's controller on a private bus.
class FakeFcitx5 final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")

public:
    int activations = 0;

public slots:
    void Activate() { ++activations; }
};

class tst_InputMethod : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void askedOnFocusIn_data();
    void askedOnFocusIn();
    void askedOnEveryArrival();

    void fcitx5OnTheSessionBus();
    void nothingWithoutABus();

private:
    QStringList m_asks;
    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_InputMethod::init()
{
    m_asks.clear();
    InputMethod::setCurrent(std::make_unique<FakeInputMethod>(&m_asks));
    m_window = showMainWindow();
    ui = &m_window->controls();
}

void tst_InputMethod::cleanup()
{
    delete m_window;
    m_window = nullptr;
    InputMethod::setCurrent(nullptr);
}

void tst_InputMethod::askedOnFocusIn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("asked");
    QTest::newRow("textLine") << "textLine" << true;
    QTest::newRow("phraseList") << "phraseList" << false;
    QTest::newRow("kaomojiList") << "kaomojiList" << false;
    QTest::newRow("copyButton") << "copyButton" << false;
}

void tst_InputMethod::askedOnFocusIn()
{
    QFETCH(QString, control);
    QFETCH(bool, asked);

    // The first showing puts the focus in compositionBox.
    QCOMPARE(m_asks, QStringList{QStringLiteral("compositionBox")});
    m_asks.clear();
    auto *widget = m_window->findChild<QWidget *>(control);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    QVERIFY(widget->hasFocus());
    QCOMPARE(m_asks, asked ? QStringList{control} : QStringList());
}

void tst_InputMethod::askedOnEveryArrival()
{
    m_asks.clear();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    // compositionBox → textLine → phraseList → copyButton → compositionBox → copyButton → phraseList → textLine.
    QCOMPARE(m_asks, (QStringList{"textLine", "compositionBox", "textLine"}));
}

void tst_InputMethod::fcitx5OnTheSessionBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    QProcess bus;
    bus.start(daemon,
              {QStringLiteral("--session"), QStringLiteral("--nofork"),
               QStringLiteral("--print-address=1")});
    QVERIFY(bus.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), 10000);
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    {
        QDBusConnection fcitx = QDBusConnection::connectToBus(address, QStringLiteral("fcitx"));
        QDBusConnection session = QDBusConnection::connectToBus(address, QStringLiteral("session"));
        QVERIFY(fcitx.isConnected() && session.isConnected());

        // None runs: the adapter chosen does nothing, and asking it directly neither fails
        // nor waits.
        QVERIFY(!dynamic_cast<Fcitx5InputMethod *>(inputMethodFor(session).get()));
        Fcitx5InputMethod(session).openHiragana();

        FakeFcitx5 controller;
        QVERIFY(fcitx.registerObject(QStringLiteral("/controller"), &controller,
                                     QDBusConnection::ExportAllSlots));
        QVERIFY(fcitx.registerService(QStringLiteral("org.fcitx.Fcitx5")));
        const std::unique_ptr<InputMethod> adapter = inputMethodFor(session);
        QVERIFY(dynamic_cast<Fcitx5InputMethod *>(adapter.get()));
        adapter->openHiragana();
        QTRY_COMPARE(controller.activations, 1);
        adapter->openHiragana();
        QTRY_COMPARE(controller.activations, 2);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("fcitx"));
    QDBusConnection::disconnectFromBus(QStringLiteral("session"));
    bus.kill();
    bus.waitForFinished();
}

void tst_InputMethod::nothingWithoutABus()
{
    const QDBusConnection none(QStringLiteral("no such bus"));
    QVERIFY(!none.isConnected());
    const std::unique_ptr<InputMethod> adapter = inputMethodFor(none);
    QVERIFY(!dynamic_cast<Fcitx5InputMethod *>(adapter.get()));
    adapter->openHiragana();
}

QTEST_MAIN(tst_InputMethod)
#include "tst_inputmethod.moc"
