#include "Shots.h"

#include "main_window/MainWindow.h"
#include "platform/CodePage.h"
#include "ui_MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Faces whose glyphs reach the top and the bottom of the font's cell.
const QStringList kKaomoji{
    QStringLiteral("（￣▽￣）"),  QStringLiteral("(^_^)"),     QStringLiteral("ヽ(´▽｀)ノ"),
    QStringLiteral("(´・ω・｀)"), QStringLiteral("＼(^o^)／"), QStringLiteral("(≧▽≦)"),
    QStringLiteral("m(_ _)m"),    QStringLiteral("(;_;)"),     QStringLiteral("(・∀・)"),
    QStringLiteral("orz"),
};

// The main window started in a folder that holds kao1.txt and an empty phrase list, so
// that no list elsewhere is looked up; the folder stays while the window follows its lists.
struct KaomojiWindow
{
    KaomojiWindow()
    {
        QByteArray bytes;
        for (const QString &face : kKaomoji)
            bytes += *CodePage::encodeCp932(face) + "\r\n";
        QFile file(folder.filePath(QStringLiteral("kao1.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the kaomoji list");
        file.close();
        QFile phrases(folder.filePath(QStringLiteral("morvela1.txt")));
        if (!phrases.open(QIODevice::WriteOnly))
            qFatal("cannot write the phrase list");
        phrases.close();
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        window = std::make_unique<MainWindow>();
        QDir::setCurrent(before);
    }

    QTemporaryDir folder;
    std::unique_ptr<MainWindow> window;
};

// The window with list opened below it, as the user sees them.
QImage withListOpened(MainWindow *window, QComboBox *list)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("main window not exposed");
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    QWidget *popup = list->view()->window();
    if (!popup->isVisible() || !QTest::qWaitForWindowExposed(popup))
        qWarning("%s did not open", qPrintable(list->objectName()));
    return Shots::pictureWithPopup(window, popup);
}

} // namespace

namespace Shots {

QImage kaomojiListOpened()
{
    const KaomojiWindow shown;
    return withListOpened(shown.window.get(), shown.window->controls().kaomojiList);
}

QImage emptyListOpened()
{
    const KaomojiWindow shown;
    return withListOpened(shown.window.get(), shown.window->controls().phraseList);
}

} // namespace Shots
