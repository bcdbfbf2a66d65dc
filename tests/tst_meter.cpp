#include "main_window/TypingMeter.h"

#include <QTest>

// The meter's arithmetic without a window: key presses and ticks driven one by one.
class tst_Meter : public QObject
{
    Q_OBJECT

private slots:
    void rates_data();
    void rates();
    void lateTickIsOneSecond();
    void startLeavesKeyCount();
    void elapsed_data();
    void elapsed();
    void elapsedKeepsRisingPastOldWraps_data();
    void elapsedKeepsRisingPastOldWraps();
};

void tst_Meter::rates_data()
{
    QTest::addColumn<QList<int>>("pressesPerSecond");
    QTest::addColumn<QString>("perSecond");
    QTest::addColumn<QString>("perMinute");
    QTest::addColumn<int>("sampleCount");
    QTest::addColumn<int>("sampleTotal");
    // The panels start with the layout's texts; a tick that shows nothing leaves them.
    QTest::newRow("five active seconds") << QList<int>{5, 6, 7, 8, 9} << "9／秒"
                                         << "390／分" << 0 << 0;
    QTest::newRow("pauses are skipped") << QList<int>{5, 0, 6, 0, 0, 7, 8, 0, 9} << "9／秒"
                                        << "390／分" << 0 << 0;
    QTest::newRow("four active seconds") << QList<int>{5, 6, 7, 8} << "8／秒"
                                         << "0／分" << 4 << 26;
    QTest::newRow("second window") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << "10／秒"
                                   << "450／分" << 0 << 0;
    QTest::newRow("three then a pause") << QList<int>{3, 0, 0} << "3／秒"
                                        << "0／分" << 1 << 3;
    QTest::newRow("no typing") << QList<int>{0, 0, 0} << "0／秒"
                               << "0／分" << 0 << 0;
}

void tst_Meter::rates()
{
    QFETCH(QList<int>, pressesPerSecond);
    QFETCH(QString, perSecond);
    QFETCH(QString, perMinute);
    QFETCH(int, sampleCount);
    QFETCH(int, sampleTotal);

    TypingMeter meter;
    meter.start(0);
    QString shownPerSecond = QStringLiteral("0／秒");
    QString shownPerMinute = QStringLiteral("0／分");
    qint64 now = 0;
    for (int presses : pressesPerSecond) {
        for (int i = 0; i < presses; ++i)
            meter.keyDown();
        now += 1000;
        const TypingMeter::Display shown = meter.tick(now);
        QCOMPARE(shown.perSecond.has_value(), presses > 0);
        shownPerSecond = shown.perSecond.value_or(shownPerSecond);
        shownPerMinute = shown.perMinute.value_or(shownPerMinute);
    }
    QCOMPARE(shownPerSecond, perSecond);
    QCOMPARE(shownPerMinute, perMinute);
    QCOMPARE(meter.keyCount(), 0);
    QCOMPARE(meter.sampleCount(), sampleCount);
    QCOMPARE(meter.sampleTotal(), sampleTotal);
    QCOMPARE(meter.elapsedSeconds(), qint64(pressesPerSecond.size()));
}

void tst_Meter::lateTickIsOneSecond()
{
    TypingMeter meter;
    meter.start(10'000);
    for (int i = 0; i < 15; ++i)
        meter.keyDown();
    // Three and a half seconds without a handled tick.
    const TypingMeter::Display shown = meter.tick(13'500);
    QCOMPARE(shown.perSecond, QStringLiteral("15／秒"));
    QCOMPARE(shown.clock, QStringLiteral("00:00:03"));
    QCOMPARE(meter.sampleCount(), 1);
    QCOMPARE(meter.sampleTotal(), 15);
}

void tst_Meter::startLeavesKeyCount()
{
    TypingMeter meter;
    // Three counted seconds of 10, 10 and 20 key presses.
    qint64 now = 0;
    for (int presses : {10, 10, 20}) {
        for (int i = 0; i < presses; ++i)
            meter.keyDown();
        meter.tick(now += 1000);
    }
    QCOMPARE(meter.sampleCount(), 3);
    QCOMPARE(meter.sampleTotal(), 40);
    meter.keyDown();
    meter.keyDown();
    meter.start(5'000);
    QCOMPARE(meter.keyCount(), 2);
    QCOMPARE(meter.sampleCount(), 0);
    QCOMPARE(meter.sampleTotal(), 0);
    QCOMPARE(meter.tick(6'000).perSecond, QStringLiteral("2／秒"));
}

void tst_Meter::elapsed_data()
{
    QTest::addColumn<qint64>("startMs");
    QTest::addColumn<qint64>("nowMs");
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<QString>("clock");
    // Whole seconds are taken of each reading, not of the difference.
    QTest::newRow("just before the next second")
        << qint64(7'200'000) << qint64(7'200'999) << qint64(0) << "00:00:00";
    QTest::newRow("one millisecond is a second")
        << qint64(7'200'999) << qint64(7'201'000) << qint64(1) << "00:00:01";
    QTest::newRow("an hour and more")
        << qint64(500) << qint64(3'725'400) << qint64(3725) << "01:02:05";
    QTest::newRow("a hundred days")
        << qint64(0) << qint64(8'640'000'000) << qint64(8'640'000) << "2400:00:00";
}

void tst_Meter::elapsed()
{
    QFETCH(qint64, startMs);
    QFETCH(qint64, nowMs);
    QFETCH(qint64, elapsed);
    QFETCH(QString, clock);

    TypingMeter meter;
    meter.start(startMs);
    QCOMPARE(meter.tick(nowMs).clock, clock);
    QCOMPARE(meter.elapsedSeconds(), elapsed);
}

void tst_Meter::elapsedKeepsRisingPastOldWraps_data()
{
    QTest::addColumn<qint64>("wrapMs");
    // Where a 32-bit millisecond counter turned negative, and where it went back to 0.
    QTest::newRow("24.8 days") << (qint64(1) << 31);
    QTest::newRow("49.7 days") << (qint64(1) << 32);
}

void tst_Meter::elapsedKeepsRisingPastOldWraps()
{
    QFETCH(qint64, wrapMs);

    TypingMeter meter;
    const qint64 startMs = wrapMs - 5'300;
    meter.start(startMs);
    for (int second = 1; second <= 10; ++second) {
        meter.tick(startMs + second * 1000);
        QCOMPARE(meter.elapsedSeconds(), qint64(second));
    }
    QCOMPARE(meter.tick(startMs + 10'000).clock, QStringLiteral("00:00:10"));
}

QTEST_APPLESS_MAIN(tst_Meter)
#include "tst_meter.moc"
