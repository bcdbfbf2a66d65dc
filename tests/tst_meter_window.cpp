#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "platform/TickCounter.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

// The meter on a real main window: real key and input-method events reach compositionBox, the
// tick counter is a fake that the test moves, and the test runs each tick itself.
class tst_MeterWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clockStartsAtEndOfCreation();
    void clockTicksEverySecondOnTheEventLoop();
    void fiveActiveSeconds();
    void pauseKeepsLastRate();
    void noTypingOnlyClockRuns();
    void lateTickTakesAllPresses();

    void keyCounting_data();
    void keyCounting();
    void autoRepeatCountsEveryKeyDown();
    void inputMethodEvents();

    void characterCount_data();
    void characterCount();
    void characterCountFollowsEveryChange();

private:
    void typeKeys(int count);
    void tickAfter(qint64 milliseconds);
    QString panel(int index) const;

    qint64 m_now = 0;
    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_MeterWindow::init()
{
    // Uptime of two hours and half a second when the window is created.
    m_now = 7'200'500;
    TickCounter::setSource([this] { return m_now; });
    m_window = showMainWindow();
    ui = &m_window->controls();
    ui->compositionBox->setFocus();
}

void tst_MeterWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
    TickCounter::setSource({});
}

void tst_MeterWindow::typeKeys(int count)
{
    QTest::keyClicks(ui->compositionBox, QString(count, QLatin1Char('a')));
}

void tst_MeterWindow::tickAfter(qint64 milliseconds)
{
    m_now += milliseconds;
    m_window->tick();
}

QString tst_MeterWindow::panel(int index) const
{
    const QLabel *panels[] = {ui->characterCount, ui->keysPerSecond, ui->keysPerMinute};
    return panels[index]->text();
}

void tst_MeterWindow::clockStartsAtEndOfCreation()
{
    QCOMPARE(m_window->meter().startSeconds(), qint64(7200));
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:00"));
    tickAfter(499);
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:00"));
    // 7,201.0 s: the first whole second since 7,200.5 s.
    tickAfter(1);
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:01"));
    tickAfter(3'724'000);
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("01:02:05"));
}

void tst_MeterWindow::clockTicksEverySecondOnTheEventLoop()
{
    auto *clock = m_window->findChild<QTimer *>(QStringLiteral("clockTimer"));
    QVERIFY(clock);
    QVERIFY(clock->isActive());
    QVERIFY(!clock->isSingleShot());
    QCOMPARE(clock->interval(), 1000);
    // No test calls the tick here: the timer does, from the event loop.
    m_now += 3'000;
    QTRY_COMPARE_WITH_TIMEOUT(ui->clockLabel->text(), QStringLiteral("00:00:03"), 3'000);
}

void tst_MeterWindow::fiveActiveSeconds()
{
    for (int presses : {5, 6, 7, 8}) {
        typeKeys(presses);
        tickAfter(1000);
        QCOMPARE(panel(1), QString::number(presses) + QStringLiteral("／秒"));
        QCOMPARE(panel(2), QStringLiteral("0／分"));
    }
    typeKeys(9);
    tickAfter(1000);
    QCOMPARE(panel(1), QStringLiteral("9／秒"));
    QCOMPARE(panel(2), QStringLiteral("390／分"));
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:05"));
}

void tst_MeterWindow::pauseKeepsLastRate()
{
    typeKeys(3);
    tickAfter(1000);
    QCOMPARE(panel(1), QStringLiteral("3／秒"));
    for (int second = 2; second <= 4; ++second) {
        tickAfter(1000);
        QCOMPARE(panel(1), QStringLiteral("3／秒"));
        QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:0%1").arg(second));
    }
    QCOMPARE(m_window->meter().sampleCount(), 1);
}

void tst_MeterWindow::noTypingOnlyClockRuns()
{
    for (int second = 1; second <= 3; ++second) {
        tickAfter(1000);
        QCOMPARE(panel(1), QStringLiteral("0／秒"));
        QCOMPARE(panel(2), QStringLiteral("0／分"));
        QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:0%1").arg(second));
    }
}

void tst_MeterWindow::lateTickTakesAllPresses()
{
    typeKeys(2);
    tickAfter(1000);
    // Three and a half seconds of typing, then a single tick.
    typeKeys(4);
    m_now += 1000;
    typeKeys(5);
    m_now += 1000;
    typeKeys(6);
    tickAfter(1500);
    QCOMPARE(panel(1), QStringLiteral("15／秒"));
    QCOMPARE(ui->clockLabel->text(), QStringLiteral("00:00:05"));
    QCOMPARE(m_window->meter().sampleCount(), 2);
    QCOMPARE(m_window->meter().sampleTotal(), 17);
}

void tst_MeterWindow::keyCounting_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("counted");
    QTest::addColumn<bool>("focusStays");
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << 1 << true;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << 1 << true;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << 1 << true;
    QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << 1 << true;
    QTest::newRow("function key") << int(Qt::Key_F5) << 0 << 1 << true;
    QTest::newRow("shift key") << int(Qt::Key_Shift) << 0 << 1 << true;
    // A click with modifiers presses the modifier keys first, and each of them counts.
    QTest::newRow("alt letter") << int(Qt::Key_Z) << int(Qt::AltModifier) << 2 << true;
    QTest::newRow("ctrl tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 2 << true;
    QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << 0 << false;
    // Only the Shift key itself.
    QTest::newRow("shift tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 1 << false;
}

void tst_MeterWindow::keyCounting()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, counted);
    QFETCH(bool, focusStays);

    QVERIFY(ui->compositionBox->hasFocus());
    QTest::keyClick(ui->compositionBox, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_window->meter().keyCount(), counted);
    QCOMPARE(ui->compositionBox->hasFocus(), focusStays);
}

void tst_MeterWindow::autoRepeatCountsEveryKeyDown()
{
    QTest::keyClicks(ui->compositionBox, QStringLiteral("ab"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(ui->compositionBox, &press);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"), true);
    QApplication::sendEvent(ui->compositionBox, &repeat);
    QApplication::sendEvent(ui->compositionBox, &repeat);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(ui->compositionBox, &release);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("abxxx"));
    QCOMPARE(m_window->meter().keyCount(), 5);
}

void tst_MeterWindow::inputMethodEvents()
{
    const auto send = [this](const QString &preedit, const QString &commit = QString(),
                             const QList<QInputMethodEvent::Attribute> &attributes = {}) {
        QInputMethodEvent event(preedit, attributes);
        event.setCommitString(commit);
        QApplication::sendEvent(ui->compositionBox, &event);
        return m_window->meter().keyCount();
    };
    const QList<QInputMethodEvent::Attribute> caretAtStart{
        {QInputMethodEvent::Cursor, 0, 1, QVariant()}};

    QCOMPARE(send(QStringLiteral("k")), 1);
    // Only the caret in the pre-edit text moves.
    QCOMPARE(send(QStringLiteral("k"), QString(), caretAtStart), 1);
    QCOMPARE(send(QStringLiteral("か")), 2);
    QCOMPARE(send(QStringLiteral("かん")), 3);
    // The pre-edit text is not yet part of the composition.
    QCOMPARE(panel(0), QStringLiteral("0文字"));
    QCOMPARE(send(QString(), QStringLiteral("缶")), 4);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("缶"));
    QCOMPARE(panel(0), QStringLiteral("1文字"));
    // Nothing to change: no pre-edit text before or after, nothing committed.
    QCOMPARE(send(QString()), 4);
    // Cancelling a pre-edit text changes it.
    QCOMPARE(send(QStringLiteral("a")), 5);
    QCOMPARE(send(QString()), 6);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("缶"));
}

void tst_MeterWindow::characterCount_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kaomoji into empty") << ""
                                        << "（＾ω＾）"
                                        << "5文字";
    QTest::newRow("line break counts two") << "ab\r\ncd"
                                           << ""
                                           << "6文字";
    QTest::newRow("outside the BMP counts two") << "a"
                                                << "\U0001F600"
                                                << "3文字";
    QTest::newRow("insertion into lines") << "ab\r\n\r\ncd"
                                          << "xyz"
                                          << "11文字";
}

void tst_MeterWindow::characterCount()
{
    QFETCH(QString, initial);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);

    m_window->compositionBox().replaceAll(initial);
    ui->textLine->setText(inserted);
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QCOMPARE(m_window->compositionBox().text(), initial + inserted);
    QCOMPARE(panel(0), expected);
}

void tst_MeterWindow::characterCountFollowsEveryChange()
{
    QTest::keyClicks(ui->compositionBox, QStringLiteral("ab"));
    QCOMPARE(panel(0), QStringLiteral("2文字"));
    QTest::keyClick(ui->compositionBox, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(panel(0), QStringLiteral("4文字"));
    QTest::keyClick(ui->compositionBox, Qt::Key_Backspace);
    QCOMPARE(panel(0), QStringLiteral("2文字"));

    ui->textLine->setText(QStringLiteral("（＾ω＾）"));
    QTest::mouseClick(ui->insertTextButton, Qt::LeftButton);
    QCOMPARE(panel(0), QStringLiteral("7文字"));
    QTest::mouseClick(ui->clearButton, Qt::LeftButton);
    QCOMPARE(panel(0), QStringLiteral("0文字"));
    QTest::mouseClick(ui->undoButton, Qt::LeftButton);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("ab"));
    QCOMPARE(panel(0), QStringLiteral("2文字"));
    // a, b, Ctrl, Enter, Backspace; the commands leave the counter alone.
    QCOMPARE(m_window->meter().keyCount(), 5);
}

QTEST_MAIN(tst_MeterWindow)
#include "tst_meter_window.moc"
