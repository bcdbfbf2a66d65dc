#include "main_window/ClockFormat.h"

#include <QTest>

#include <limits>

class tst_Clock : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
};

void tst_Clock::format_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << qint64(0) << "00:00:00";
    QTest::newRow("59 seconds") << qint64(59) << "00:00:59";
    QTest::newRow("one minute") << qint64(60) << "00:01:00";
    QTest::newRow("3725") << qint64(3725) << "01:02:05";
    QTest::newRow("last second of a day") << qint64(86399) << "23:59:59";
    QTest::newRow("hours past two digits") << qint64(360000) << "100:00:00";
    QTest::newRow("-3725") << qint64(-3725) << "-01:-02:-05";
    QTest::newRow("negative seconds only") << qint64(-59) << "00:00:-59";
    QTest::newRow("negative whole hour") << qint64(-3600) << "-01:00:00";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "2562047788015215:30:07";
    QTest::newRow("most negative")
        << std::numeric_limits<qint64>::min() << "-2562047788015215:-30:-08";
}

void tst_Clock::format()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, expected);
    QCOMPARE(ClockFormat::format(seconds), expected);
}

QTEST_APPLESS_MAIN(tst_Clock)
#include "tst_clock.moc"
