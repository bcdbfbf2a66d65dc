#include "TestSupport.h"
#include "platform/AppError.h"
#include "platform/ErrorBox.h"
#include "platform/HandlerGuard.h"

#include <QTest>

#include <stdexcept>

using namespace TestSupport;

class Thrower : public QObject
{
    Q_OBJECT

public:
    int calls = 0;

    void handle(const QString &name)
    {
        ++calls;
        if (name.startsWith(QLatin1String("app:")))
            throw AppError(name.mid(4));
        if (name == QLatin1String("std"))
            throw std::runtime_error("runtime");
        if (name == QLatin1String("other"))
            throw 42;
    }
};

class tst_Guard : public QObject
{
    Q_OBJECT

private slots:
    void boxText_data();
    void boxText();
    void exceptionIsShownAndNextEventRuns_data();
    void exceptionIsShownAndNextEventRuns();
};

void tst_Guard::boxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letter") << "abc"
                            << "abc.";
    QTest::newRow("ends with dot") << "abc."
                                   << "abc.";
    QTest::newRow("ends below dot") << "abc!"
                                    << "abc!";
    QTest::newRow("ends with slash") << "a/"
                                     << "a/.";
    QTest::newRow("double-byte") << "ﾌｧｲﾙが見つかりません"
                                 << "ﾌｧｲﾙが見つかりません.";
    QTest::newRow("closing paren") << "I/O ｴﾗｰ (30)"
                                   << "I/O ｴﾗｰ (30)";
}

void tst_Guard::boxText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBox::boxText(message), shown);
}

void tst_Guard::exceptionIsShownAndNextEventRuns_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("shown");
    QTest::newRow("app error") << "app:bad"
                               << "bad.";
    QTest::newRow("markup stays text") << "app:<b>x</b>"
                                       << "<b>x</b>.";
    QTest::newRow("std exception") << "std"
                                   << "runtime.";
    QTest::newRow("anything else") << "other"
                                   << "";
}

void tst_Guard::exceptionIsShownAndNextEventRuns()
{
    QFETCH(QString, trigger);
    QFETCH(QString, shown);
    ErrorBoxRecorder box;
    Thrower sender;
    connectGuarded(&sender, &QObject::objectNameChanged, &sender, &Thrower::handle);

    sender.setObjectName(trigger);
    QCOMPARE(box.texts, QStringList{shown});
    sender.setObjectName(QStringLiteral("fine"));
    QCOMPARE(sender.calls, 2);
    QCOMPARE(box.texts.size(), 1);
}

QTEST_GUILESS_MAIN(tst_Guard)
#include "tst_guard.moc"
