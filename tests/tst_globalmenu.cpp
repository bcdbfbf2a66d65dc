#include "main_window/MainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace {

// Run as a child, the test program shows a main window and tells where its menu bar is.
constexpr char kChildOption[] = "--where-is-the-menu-bar";
// What a desktop with a global menu offers on its session bus.
const QString kRegistrar = QStringLiteral("com.canonical.AppMenu.Registrar");

int tellWhereTheMenuBarIs(int argc, char *argv[])
{
    QApplication application(argc, argv);
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    const QMenuBar *menuBar = window.menuBar();
    std::printf("%s\n", menuBar->isNativeMenuBar() ? "global menu" : "in the window");
    return 0;
}

// A program started for the test, ended when the test ends.
class Helper final
{
public:
    ~Helper()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // Starts program and returns the first line it prints, or nothing.
    QString start(const QString &program, const QStringList &arguments)
    {
        m_process.start(program, arguments);
        if (!m_process.waitForStarted())
            return QString();
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10'000))
                return QString();
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

private:
    QProcess m_process;
};

} // namespace

// A desktop with a global menu takes the menus of the windows that let it into its own bar.
// On a real X server whose session bus offers one, the main window keeps its menu bar.
class tst_GlobalMenu : public QObject
{
    Q_OBJECT

private slots:
    void menuBarStaysInTheWindow();
};

void tst_GlobalMenu::menuBarStaysInTheWindow()
{
    const QString xServer = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString busDaemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (xServer.isEmpty() || busDaemon.isEmpty())
        QSKIP("Xvfb or dbus-daemon is not installed");

    Helper bus;
    const QString address = bus.start(busDaemon,
                                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                       QStringLiteral("--print-address=1")});
    QVERIFY(!address.isEmpty());
    Helper display;
    const QString number = display.start(xServer,
                                         {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                          QStringLiteral("-screen"), QStringLiteral("0"),
                                          QStringLiteral("1024x768x24")});
    QVERIFY(!number.isEmpty());
    {
        QDBusConnection desktop = QDBusConnection::connectToBus(address, QStringLiteral("desktop"));
        QVERIFY(desktop.registerService(kRegistrar));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("generic"));
        environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number);
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildOption)});
        QVERIFY(child.waitForFinished(60'000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("in the window"));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], kChildOption) == 0)
        return tellWhereTheMenuBarIs(argc, argv);
    QApplication application(argc, argv);
    tst_GlobalMenu test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_globalmenu.moc"
