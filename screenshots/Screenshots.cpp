#include "Shots.h"

#include "platform/QtTranslation.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cstdio>

namespace {

struct Shot
{
    const char *file;
    QImage (*take)();
};

constexpr Shot kShots[] = {
    {"main_window.png", &Shots::mainWindow},
    {"long_composition.png", &Shots::longComposition},
    {"kaomoji_list.png", &Shots::kaomojiListOpened},
    {"empty_list.png", &Shots::emptyListOpened},
    {"open_dialog.png", &Shots::openDialog},
    {"palette_1.png", &Shots::palettePage1},
    {"palette_2.png", &Shots::palettePage2},
    {"palette_3.png", &Shots::palettePage3},
    {"about.png", &Shots::about},
    {"usage.png", &Shots::usage},
};

} // namespace

namespace Shots {

QImage picture(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "%s was not shown\n", qPrintable(window->objectName()));
    QApplication::processEvents();
    return window->grab().toImage();
}

QImage pictureWithPopup(QWidget *window, QWidget *popup)
{
    QApplication::processEvents();
    const QRect shown = window->geometry().united(popup->geometry());
    QImage picture(shown.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(window->geometry().topLeft() - shown.topLeft(), window->grab().toImage());
    painter.drawImage(popup->geometry().topLeft() - shown.topLeft(), popup->grab().toImage());
    return picture;
}

} // namespace Shots

// Usage: morvela_screenshots [folder]; the pictures go to the folder, "screenshots" if none.
int main(int argc, char *argv[])
{
    // Rendered off screen, with the fonts the program finds on this machine.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The windows as a new user first sees them: none of the user's own lists, the file
    // dialog without settings of its own, the user's settings left alone.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication application(argc, argv);
    QtTranslation::installJapanese(application);

    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }
    int failures = 0;
    for (const Shot &shot : kShots) {
        const QString path = folder.filePath(QString::fromLatin1(shot.file));
        if (shot.take().save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
