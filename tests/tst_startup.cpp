#include "platform/DisplayServer.h"
#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QTest>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void preferredPlatform_data();
    void preferredPlatform();
    void qtSpeaksJapanese();
};

void tst_Startup::preferredPlatform_data()
{
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("x11");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("Wayland with X11")
        << QByteArray("wayland-0") << QByteArray(":0") << QByteArray() << QByteArray("xcb;wayland");
    QTest::newRow("the user chose")
        << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << QByteArray();
    QTest::newRow("Wayland only") << QByteArray("wayland-0") << QByteArray() << QByteArray()
                                  << QByteArray();
    QTest::newRow("X11 only") << QByteArray() << QByteArray(":0") << QByteArray() << QByteArray();
    QTest::newRow("neither") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
}

void tst_Startup::preferredPlatform()
{
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, x11);
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, platform);

    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    auto set = [](const char *name, const QByteArray &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("WAYLAND_DISPLAY", wayland);
    set("DISPLAY", x11);
    set("QT_QPA_PLATFORM", chosen);
    const QByteArray preferred = DisplayServer::preferredPlatform();
    set("QT_QPA_PLATFORM", saved);
    QCOMPARE(preferred, platform);
}

void tst_Startup::qtSpeaksJapanese()
{
    QVERIFY(QtTranslation::installJapanese(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
