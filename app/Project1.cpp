#include "main_window/Unit1.h"
#include "platform/TopLevelWindows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication Application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MORVELA"));

    auto *form = new TForm1;
    form->show();
    const int result = QApplication::exec();
    // Closing the main window ends the loop; every window still open goes with it.
    TopLevelWindows::destroyRemaining();
    return result;
}
