#include "FileDialogAnswer.h"
#include "TestSupport.h"
#include "main_window/MainWindow.h"
#include "ui_MainWindow.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace TestSupport;

class tst_FileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void settings_data();
    void settings();
    void keptNamesStartTheNextShowing();
    void defaultSuffix_data();
    void defaultSuffix();
    void columnsFitTheirContents_data();
    void columnsFitTheirContents();

private:
    void runHandler(bool save);
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;

    MainWindow *m_window = nullptr;
    QTemporaryDir m_dir;
};

void tst_FileDialogs::initTestCase()
{
    // Qt's dialog keeps its own view settings; tests keep them away from the user's, and
    // start without those an earlier run left.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + QStringLiteral("/QtProject.conf"));
    QVERIFY(m_dir.isValid());
}

void tst_FileDialogs::init()
{
    m_window = showMainWindow();
}

void tst_FileDialogs::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_FileDialogs::runHandler(bool save)
{
    if (save)
        m_window->controls().saveAsAction->trigger();
    else
        m_window->controls().openAction->trigger();
}

void tst_FileDialogs::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(pathOf(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void tst_FileDialogs::settings_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QFileDialog::Options>("options");
    QTest::newRow("open") << false << QFileDialog::Options(QFileDialog::DontUseNativeDialog);
    QTest::newRow("save") << true
                          << (QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
}

void tst_FileDialogs::settings()
{
    QFETCH(bool, save);
    QFETCH(QFileDialog::Options, options);
    const QFileDialog::AcceptMode mode = save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    // What Qt's dialog shows when given nothing of its own: its title, its starting folder.
    QFileDialog plain;
    plain.setOption(QFileDialog::DontUseNativeDialog);
    plain.setAcceptMode(mode);

    ErrorBoxRecorder errors;
    m_window->compositionBox().replaceAll(QStringLiteral("kept"));
    FileDialogAnswer answer(FileDialogAnswer::Cancel);
    runHandler(save);

    const SeenFileDialog &seen = answer.seen();
    QVERIFY(seen.shown);
    QCOMPARE(seen.acceptMode, mode);
    QCOMPARE(seen.options, options);
    QCOMPARE(seen.fileMode, QFileDialog::AnyFile);
    QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("テキストファイル(*.txt)")});
    QCOMPARE(seen.listedPatterns, QStringList{QStringLiteral("*.txt")});
    QVERIFY(seen.hidesOtherFiles);
    QCOMPARE(seen.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(seen.title, plain.windowTitle());
    QCOMPARE(seen.directory, plain.directory().absolutePath());
    QCOMPARE(seen.field, QString());
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    // The always-on-top windows make way for it: it needs no such place itself.
    QVERIFY(!seen.onTop);
    // Centred across the screen, its top at a third of the height left over.
    const QRect &screen = seen.screen;
    QCOMPARE(seen.frame.left(), screen.left() + (screen.width() - seen.frame.width()) / 2);
    QCOMPARE(seen.frame.top(), screen.top() + (screen.height() - seen.frame.height()) / 3);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("kept"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void tst_FileDialogs::keptNamesStartTheNextShowing()
{
    ErrorBoxRecorder errors;
    const QString saved = pathOf(QStringLiteral("saved.txt"));
    const QString opened = pathOf(QStringLiteral("opened.txt"));
    writeFile(QStringLiteral("opened.txt"), "from the file");
    m_window->compositionBox().replaceAll(QStringLiteral("first"));

    {
        FileDialogAnswer answer(FileDialogAnswer::Confirm, saved);
        m_window->controls().saveAsAction->trigger();
        QCOMPARE(answer.seen().field, QString());
    }
    QCOMPARE(m_window->saveDialog().fileName(), saved);

    {
        // The open dialog keeps a name of its own.
        FileDialogAnswer answer(FileDialogAnswer::Confirm, opened);
        m_window->controls().openAction->trigger();
        QCOMPARE(answer.seen().field, QString());
    }
    QCOMPARE(m_window->openDialog().fileName(), opened);
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("from the file"));

    {
        FileDialogAnswer answer(FileDialogAnswer::Cancel);
        m_window->controls().saveAsAction->trigger();
        QCOMPARE(answer.seen().field, QStringLiteral("saved.txt"));
        QCOMPARE(answer.seen().directory, m_dir.path());
    }
    QCOMPARE(m_window->saveDialog().fileName(), saved);

    {
        // Confirmed as it shows, after the cancel: the same file is written again.
        FileDialogAnswer answer(FileDialogAnswer::Confirm);
        m_window->controls().saveAsAction->trigger();
        QCOMPARE(answer.seen().field, QStringLiteral("saved.txt"));
    }
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("from the file"));

    {
        FileDialogAnswer answer(FileDialogAnswer::Cancel);
        m_window->controls().openAction->trigger();
        QCOMPARE(answer.seen().field, QStringLiteral("opened.txt"));
    }
    QCOMPARE(m_window->openDialog().fileName(), opened);
    QCOMPARE(m_window->saveDialog().fileName(), saved);
    QVERIFY(errors.texts.isEmpty());
}

void tst_FileDialogs::defaultSuffix_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    for (const bool save : {false, true}) {
        const char *kind = save ? "save: " : "open: ";
        QTest::addRow("%sno extension", kind) << save << "note"
                                              << "note.txt";
        QTest::addRow("%s.txt", kind) << save << "note.txt"
                                      << "note.txt";
        QTest::addRow("%sother extension", kind) << save << "note.v2"
                                                 << "note.v2";
    }
}

void tst_FileDialogs::defaultSuffix()
{
    QFETCH(bool, save);
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    ErrorBoxRecorder errors;
    QTemporaryDir dir;
    const QString chosenPath = dir.filePath(chosen);
    if (!save) {
        QFile file(chosenPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("in " + chosen.toUtf8());
    }
    m_window->compositionBox().replaceAll(QStringLiteral("typed"));

    FileDialogAnswer answer(FileDialogAnswer::Confirm, dir.filePath(typed));
    runHandler(save);

    QVERIFY(answer.seen().shown);
    QVERIFY(!answer.seen().refused);
    QCOMPARE((save ? m_window->saveDialog() : m_window->openDialog()).fileName(), chosenPath);
    QVERIFY(errors.texts.isEmpty());
    if (save)
        QVERIFY(QFile::exists(chosenPath));
    else
        QCOMPARE(m_window->compositionBox().text(), "in " + chosen);
}

void tst_FileDialogs::columnsFitTheirContents_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void tst_FileDialogs::columnsFitTheirContents()
{
    QFETCH(bool, save);
    ErrorBoxRecorder errors;
    QTemporaryDir folder;
    for (const char *name : {"今日の挨拶.txt", "chat-2026-01-15.txt", "定型文のメモ.txt"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("(^_^)\r\n");
    }
    {
        // A name confirmed once: the next showing starts in its folder.
        FileDialogAnswer answer(FileDialogAnswer::Confirm,
                                folder.filePath(QStringLiteral("chat-2026-01-15.txt")));
        runHandler(save);
    }
    QStringList cut;
    bool listed = false;
    QTimer::singleShot(0, m_window, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // QTreeView hides the size hint of a column that every view offers.
        QAbstractItemView *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        const QHeaderView *header = view ? static_cast<QTreeView *>(view)->header() : nullptr;
        const auto cutColumns = [&] {
            QStringList columns;
            for (int column = 0; column < header->count(); ++column) {
                const int needed
                    = qMax(view->sizeHintForColumn(column), header->sectionSizeHint(column));
                if (header->sectionSize(column) < needed)
                    columns.append(view->model()->headerData(column, Qt::Horizontal).toString());
            }
            return columns;
        };
        // Qt's file list at times shows only some of the files: the columns fit those shown.
        listed = view
            && QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; });
        // The widths follow the files as they come in.
        if (listed && !QTest::qWaitFor([&] { return cutColumns().isEmpty(); }, 2000))
            cut = cutColumns();
        dialog->reject();
    });
    runHandler(save);
    QVERIFY(listed);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    QVERIFY(errors.texts.isEmpty());
}

QTEST_MAIN(tst_FileDialogs)
#include "tst_filedialogs.moc"
