#include "main_window/MainWindow.h"
#include "platform/DisplayServer.h"
#include "platform/QtTranslation.h"
#include "platform/TopLevelWindows.h"
#include "resources/Images.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Qt picks its platform when the application object is made.
    const QByteArray platform = DisplayServer::preferredPlatform();
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    QApplication application(argc, argv);
    // Programs started from here, such as the browser, choose their own platform.
    if (!platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");

    QApplication::setApplicationName(QStringLiteral("MORVELA"));
    QApplication::setWindowIcon(Images::programIcon());
    QtTranslation::installJapanese(application);

    auto *window = new MainWindow;
    window->show();
    const int result = QApplication::exec();
    // Closing the main window ends the loop; every window still open goes with it.
    TopLevelWindows::destroyRemaining();
    return result;
}
