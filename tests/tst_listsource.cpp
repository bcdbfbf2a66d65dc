#include "TestSupport.h"
#include "main_window/ListSource.h"
#include "main_window/MainWindow.h"
#include "platform/CodePage.h"
#include "ui_MainWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>

using namespace TestSupport;

namespace {

const QStringList kKaomoji{QStringLiteral("(^_^)"), QStringLiteral("(T_T)")};
const QStringList kEdited{QStringLiteral("（￣▽￣）"), QStringLiteral("m(_ _)m"),
                          QStringLiteral("(^o^)")};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The lists on a real main window follow their files, and the settings menu opens them.
class tst_ListSource : public QObject
{
    Q_OBJECT

public slots:
    // The desktop's handler for files, as the tests stand in for it.
    void openFile(const QUrl &url) { m_opened.append(url.toLocalFile()); }

private slots:
    void init();
    void cleanup();

    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();
    void brokenFileKeepsTheOldEntries();
    void largeFileIsReadWhole();
    void menuOpensTheListFile_data();
    void menuOpensTheListFile();
    void listFollowsTheCopyMadeForEditing();
    void noHandlerNamesTheFile();

private:
    QString inCurrent(const QString &name) const { return m_dir->filePath("current/" + name); }
    QString configFolder() const { return m_dir->filePath("config/morvela"); }
    QString dataFolder() const { return m_dir->filePath("data/morvela"); }
    void start();
    // Picks the second entry and leaves the text field showing it.
    void selectAnEntry();
    void verifyListReplaced(const QStringList &entries);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    QByteArray m_previousConfig;
    QByteArray m_previousData;
    std::optional<ErrorBoxRecorder> m_box;
    QStringList m_opened;
    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;
};

void tst_ListSource::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const QString &folder : {inCurrent(QString()), configFolder(), dataFolder()})
        QVERIFY(QDir().mkpath(folder));
    m_previousDirectory = QDir::currentPath();
    m_previousConfig = qgetenv("XDG_CONFIG_HOME");
    m_previousData = qgetenv("XDG_DATA_DIRS");
    QVERIFY(QDir::setCurrent(inCurrent(QString())));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath("config")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_dir->filePath("data")));
    m_box.emplace();
    m_opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openFile");
    setClipboardText(QStringLiteral("before"));
}

void tst_ListSource::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    m_box.reset();
    QDir::setCurrent(m_previousDirectory);
    qputenv("XDG_CONFIG_HOME", m_previousConfig);
    qputenv("XDG_DATA_DIRS", m_previousData);
    m_dir.reset();
}

void tst_ListSource::start()
{
    m_window = showMainWindow();
    ui = &m_window->controls();
}

void tst_ListSource::selectAnEntry()
{
    ui->kaomojiList->setCurrentIndex(1);
    QCOMPARE(ui->kaomojiList->currentText(), kKaomoji.at(1));
    m_window->compositionBox().replaceAll(QStringLiteral("keep"));
}

void tst_ListSource::verifyListReplaced(const QStringList &entries)
{
    QTRY_COMPARE(entriesOf(ui->kaomojiList), entries);
    QCOMPARE(ui->kaomojiList->currentIndex(), -1);
    QCOMPARE(ui->kaomojiList->currentText(), QString());
    QCOMPARE(m_window->compositionBox().text(), QStringLiteral("keep"));
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QVERIFY(m_box->texts.isEmpty());
}

void tst_ListSource::changedFileIsReadAgain_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("written in place") << "write" << kEdited;
    QTest::newRow("new file renamed over it") << "rename" << kEdited;
    QTest::newRow("deleted") << "delete" << QStringList();
    QTest::newRow("replaced by a FIFO") << "fifo" << QStringList();
    QTest::newRow("replaced by a folder") << "folder" << QStringList();
    QTest::newRow("replaced by a dangling link") << "dangling" << QStringList();
}

void tst_ListSource::changedFileIsReadAgain()
{
    QFETCH(QString, change);
    QFETCH(QStringList, entries);
    const QString path = inCurrent("kao1.txt");
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(writeFile(path, cp932File(kKaomoji)));
    start();
    selectAnEntry();

    if (change == "write") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(cp932File(kEdited));
    } else if (change == "rename") {
        QVERIFY(writeFile(path + ".new", cp932File(kEdited)));
        QCOMPARE(::rename(QFile::encodeName(path + ".new").constData(), name.constData()), 0);
    } else {
        QCOMPARE(::unlink(name.constData()), 0);
        if (change == "fifo")
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        else if (change == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (change == "dangling")
            QCOMPARE(::symlink("/nonexistent/kao1.txt", name.constData()), 0);
    }

    verifyListReplaced(entries);
    // Still answering: a command runs at once.
    QTest::mouseClick(ui->copyButton, Qt::LeftButton);
    QCOMPARE(clipboardText(), QStringLiteral("keep"));
}

void tst_ListSource::brokenFileKeepsTheOldEntries()
{
    const QString path = inCurrent("kao1.txt");
    QVERIFY(writeFile(path, cp932File(kKaomoji)));
    start();

    // Reading a process's memory at address 0 fails with EIO.
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link("/proc/self/mem", path));
    QTRY_COMPARE(m_box->texts, QStringList{QStringLiteral("I/O ｴﾗｰ (30)")});
    QCOMPARE(entriesOf(ui->kaomojiList), kKaomoji);

    // Mended, the file is read again.
    QVERIFY(QFile::remove(path));
    QVERIFY(writeFile(path, cp932File(kEdited)));
    QTRY_COMPARE(entriesOf(ui->kaomojiList), kEdited);
    QCOMPARE(m_box->texts.size(), 1);
}

void tst_ListSource::largeFileIsReadWhole()
{
    const QString path = inCurrent("kao1.txt");
    QVERIFY(writeFile(path, cp932File(kKaomoji)));
    start();

    // 100 MB in a million lines.
    const QByteArray line = QByteArray(98, 'a') + "\r\n";
    QVERIFY(writeFile(path + ".new", line.repeated(1'048'576)));
    QVERIFY(
        ::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData())
        == 0);
    QTRY_COMPARE_WITH_TIMEOUT(ui->kaomojiList->count(), 1'048'576, 20'000);
    QCOMPARE(ui->kaomojiList->itemText(1'048'575), QString(98, QLatin1Char('a')));
    QVERIFY(m_box->texts.isEmpty());
}

void tst_ListSource::menuOpensTheListFile_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("copied");
    QTest::newRow("phrases in the current folder") << "morvela1.txt"
                                                   << "current" << false;
    QTest::newRow("kaomoji in the config folder") << "kao1.txt"
                                                  << "config" << false;
    QTest::newRow("phrases from a data folder") << "morvela1.txt"
                                                << "data" << true;
    QTest::newRow("kaomoji nowhere") << "kao1.txt"
                                     << "" << true;
}

void tst_ListSource::menuOpensTheListFile()
{
    QFETCH(QString, list);
    QFETCH(QString, where);
    QFETCH(bool, copied);
    const QString folder = where == "current" ? inCurrent(QString())
        : where == "config"                   ? configFolder()
                                              : dataFolder();
    const QByteArray bytes = cp932File(kKaomoji);
    if (!where.isEmpty())
        QVERIFY(writeFile(folder + "/" + list, bytes));
    start();

    QAction *item = list == "kao1.txt" ? ui->kaomojiListAction : ui->phraseListAction;
    item->trigger();

    const QString expected = copied ? configFolder() + "/" + list : folder + "/" + list;
    QCOMPARE(m_opened, QStringList{QDir::cleanPath(expected)});
    QCOMPARE(contentsOf(expected), where.isEmpty() ? QByteArray() : bytes);
    QVERIFY(m_box->texts.isEmpty());
    QComboBox *shown = list == "kao1.txt" ? ui->kaomojiList : ui->phraseList;
    QCOMPARE(entriesOf(shown), where.isEmpty() ? QStringList() : kKaomoji);
    if (where == "data")
        QCOMPARE(contentsOf(dataFolder() + "/" + list), bytes);
}

void tst_ListSource::listFollowsTheCopyMadeForEditing()
{
    QVERIFY(writeFile(dataFolder() + "/kao1.txt", cp932File(kKaomoji)));
    start();
    ui->kaomojiListAction->trigger();
    const QString copy = configFolder() + "/kao1.txt";
    QCOMPARE(m_opened, QStringList{copy});
    QCOMPARE(m_window->kaomojiSource().source()->path, copy);

    selectAnEntry();
    QVERIFY(writeFile(copy, cp932File(kEdited)));
    verifyListReplaced(kEdited);
    // The sample stays as it was shipped.
    QCOMPARE(contentsOf(dataFolder() + "/kao1.txt"), cp932File(kKaomoji));

    // A second time the copy is opened as it is.
    ui->kaomojiListAction->trigger();
    QCOMPARE(m_opened, (QStringList{copy, copy}));
    QCOMPARE(contentsOf(copy), cp932File(kEdited));
}

void tst_ListSource::noHandlerNamesTheFile()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY(writeFile(inCurrent("morvela1.txt"), cp932File(kKaomoji)));
    start();
    // The offscreen platform has no program for files, as a desktop without one.
    ui->phraseListAction->trigger();
    QCOMPARE(m_box->texts,
             QStringList{QStringLiteral("ﾌｧｲﾙ %1 を開くﾌﾟﾛｸﾞﾗﾑが見つかりません.")
                             .arg(inCurrent("morvela1.txt"))});
}

QTEST_MAIN(tst_ListSource)
#include "tst_listsource.moc"
