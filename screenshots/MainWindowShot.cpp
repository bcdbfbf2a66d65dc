#include "Shots.h"

#include "main_window/MainWindow.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace Shots {

QImage mainWindow()
{
    const auto window = std::make_unique<MainWindow>();
    return picture(window.get());
}

QImage longComposition()
{
    const auto window = std::make_unique<MainWindow>();
    window->compositionBox().replaceAll(
        QStringLiteral("こんにちは、（￣▽￣）\r\n今日はよろしくお願いします。\r\n了解です！ｑ"
                       "(^_^)g\r\nまた後でね〔♪〕\r\nお先に失礼します\r\nおやすみなさい"));
    // As after an insertion: the box shows the start of the composition.
    window->controls().compositionBox->moveCursor(QTextCursor::Start);
    return picture(window.get());
}

// The open dialog in a folder of a few composition files, as Open shows it.
QImage openDialog()
{
    QTemporaryDir folder;
    for (const char *name : {"今日の挨拶.txt", "chat-2026-01-15.txt", "定型文のメモ.txt"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write("(^_^)\r\n") != 7)
            qFatal("cannot write %s", name);
    }
    const auto window = std::make_unique<MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("main window not exposed");
    QImage shot;
    QTimer::singleShot(0, window.get(), [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setDirectory(folder.path());
        // The folder's files and then their types come in from a thread of the dialog's own.
        const auto *files = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        const auto listed = [files] {
            const QModelIndex folder = files->rootIndex();
            const int rows = files->model()->rowCount(folder);
            for (int row = 0; row < rows; ++row) {
                if (files->model()->index(row, 2, folder).data().toString().isEmpty())
                    return false;
            }
            return rows == 3;
        };
        if (!files || !QTest::qWaitFor(listed))
            qWarning("the open dialog did not list its folder");
        shot = picture(dialog);
        dialog->reject();
    });
    window->controls().openAction->trigger();
    return shot;
}

} // namespace Shots
