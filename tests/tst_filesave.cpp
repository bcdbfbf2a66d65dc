#include "FileBench.h"
#include "main_window/CompositionFile.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace TestSupport;

namespace {

const char kSaveWithinLimit[] = "--save-within-size-limit";
constexpr rlim_t kSizeLimit = 4096;

} // namespace

class tst_FileSave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveWritesTheCompositionsBytes_data();
    void saveWritesTheCompositionsBytes();
    void saveReplacesALongerFileWhole();
    void saveWritesThroughALink();
    void saveErrors_data();
    void saveErrors();
    void failedSaveLeavesTheOldFile();
    void folderWithoutRoomForNewFiles_data();
    void folderWithoutRoomForNewFiles();
    void folderIsNotReplaced();

private:
    std::unique_ptr<FileBench> m_bench;
};

void tst_FileSave::initTestCase()
{
    // Qt's dialog keeps its own view settings; tests keep them away from the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void tst_FileSave::init()
{
    m_bench = std::make_unique<FileBench>();
    QVERIFY(m_bench->isValid());
}

void tst_FileSave::cleanup()
{
    m_bench.reset();
}

void tst_FileSave::saveWritesTheCompositionsBytes_data()
{
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("two lines, no final break") << "ab\r\ncd" << QByteArray("ab\r\ncd");
    QTest::newRow("final break kept") << "ab\r\n" << QByteArray("ab\r\n");
    QTest::newRow("code page 932")
        << "日本語ｶﾅ①～" << QByteArray("\x93\xfa\x96\x7b\x8c\xea\xb6\xc5\x87\x40\x81\x60");
    QTest::newRow("outside code page 932: UTF-8")
        << "한글 €😀" << QByteArray("\xed\x95\x9c\xea\xb8\x80 \xe2\x82\xac\xf0\x9f\x98\x80");
}

void tst_FileSave::saveWritesTheCompositionsBytes()
{
    QFETCH(QString, composition);
    QFETCH(QByteArray, bytes);
    ErrorBoxRecorder errors;
    setUndoText(m_bench->mainWindow().composition(), QStringLiteral("undo"));
    m_bench->setComposition(composition);
    setClipboardText(QStringLiteral("clip"));

    m_bench->save(m_bench->pathOf(QStringLiteral("out.txt")));

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(contentsOf(m_bench->pathOf(QStringLiteral("out.txt"))), bytes);
    QCOMPARE(m_bench->composition(), composition);
    QCOMPARE(m_bench->changes(), 0);
    QCOMPARE(m_bench->mainWindow().composition().undoText(), QStringLiteral("undo"));
    QCOMPARE(clipboardText(), QStringLiteral("clip"));
}

void tst_FileSave::saveReplacesALongerFileWhole()
{
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("old.txt"));
    QVERIFY(writeFile(path, QByteArray(1000, 'o')));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    m_bench->setComposition(QStringLiteral("ab"));

    m_bench->save(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(contentsOf(path), QByteArray("ab"));
    QCOMPARE(modeOf(path) & 07777, 0640);
    QCOMPARE(m_bench->files(), QStringList{QStringLiteral("old.txt")});
}

void tst_FileSave::saveWritesThroughALink()
{
    ErrorBoxRecorder errors;
    const QString target = m_bench->pathOf(QStringLiteral("target.txt"));
    const QString link = m_bench->pathOf(QStringLiteral("link.txt"));
    QVERIFY(writeFile(target, "old"));
    QVERIFY(QFile::link(target, link));
    m_bench->setComposition(QStringLiteral("new"));

    m_bench->save(link);

    QVERIFY(errors.texts.isEmpty());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contentsOf(target), QByteArray("new"));
}

void tst_FileSave::saveErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fifo");
    QTest::newRow("missing folder") << "missing/out.txt" << false;
    QTest::newRow("FIFO") << "pipe.txt" << true;
}

void tst_FileSave::saveErrors()
{
    QFETCH(QString, name);
    QFETCH(bool, fifo);
    const QString path = m_bench->pathOf(name);
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ErrorBoxRecorder errors;
    m_bench->setComposition(QStringLiteral("text"));

    m_bench->save(path);

    QCOMPARE(errors.texts, QStringList{cannotCreate(path)});
    QCOMPARE(m_bench->composition(), QStringLiteral("text"));
    if (fifo)
        QVERIFY(S_ISFIFO(modeOf(path)));
    else
        QVERIFY(!QFileInfo::exists(path));
}

void tst_FileSave::failedSaveLeavesTheOldFile()
{
    // The disk fills mid-write: a child process saves under a file size limit.
    const QString path = m_bench->pathOf(QStringLiteral("old.txt"));
    const QByteArray old("the old text\r\nstays");
    QVERIFY(writeFile(path, old));

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kSaveWithinLimit), path});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    const QString shown = QString::fromUtf8(child.readAllStandardOutput());
    QCOMPARE(shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts), QStringList{kWriteError});
    QCOMPARE(contentsOf(path), old);
    QCOMPARE(m_bench->files(), QStringList{QStringLiteral("old.txt")});
}

void tst_FileSave::folderWithoutRoomForNewFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("saved");
    QTest::newRow("writable file: written in place") << "note.txt" << 0666 << true;
    QTest::newRow("read-only file") << "note.txt" << 0444 << false;
    QTest::newRow("new file") << "new.txt" << 0666 << false;
}

void tst_FileSave::folderWithoutRoomForNewFiles()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(bool, saved);
    // A folder in which nobody but root may make a file, holding a file of some mode.
    const QString folder = m_bench->pathOf(QStringLiteral("closed"));
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old("the old text, longer than the new one");
    QVERIFY(writeFile(folder + QStringLiteral("/note.txt"), old));
    QCOMPARE(
        ::chmod(QFile::encodeName(folder + QStringLiteral("/note.txt")).constData(), mode_t(mode)),
        0);
    QCOMPARE(::chmod(QFile::encodeName(QFileInfo(folder).path()).constData(), 0755), 0);
    QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const auto reopen = qScopeGuard([&] { ::chmod(QFile::encodeName(folder).constData(), 0755); });
    const QString path = folder + QLatin1Char('/') + name;
    m_bench->setComposition(QStringLiteral("ab\r\ncd"));
    ErrorBoxRecorder errors;

    {
        const OrdinaryUser user;
        m_bench->save(path);
    }

    QCOMPARE(errors.texts, saved ? QStringList() : QStringList{cannotCreate(path)});
    const QString existing = folder + QStringLiteral("/note.txt");
    QCOMPARE(contentsOf(existing), saved ? QByteArray("ab\r\ncd") : old);
    QCOMPARE(modeOf(existing) & 07777, mode);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("note.txt")});
    QCOMPARE(m_bench->composition(), QStringLiteral("ab\r\ncd"));
}

void tst_FileSave::folderIsNotReplaced()
{
    // The dialog steps into a folder rather than return it; the file logic refuses one too.
    const QString folder = m_bench->pathOf(QStringLiteral("folder.txt"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(boxTextOf([&] { CompositionFile::write(folder, u"text"); }), cannotCreate(folder));
    QVERIFY(QFileInfo(folder).isDir());
}

namespace {

// The child of failedSaveLeavesTheOldFile: saves through the handler with the file size
// limited, as on a disk that fills, and prints what the error box showed.
int saveWithinSizeLimit(int argc, char *argv[])
{
    const rlimit limit{kSizeLimit, kSizeLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    std::signal(SIGXFSZ, SIG_IGN);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    std::unique_ptr<MainWindow> window(showMainWindow());
    window->compositionBox().replaceAll(QString(100'000, QLatin1Char('x')));
    ErrorBoxRecorder errors;
    {
        FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
        window->controls().saveAsAction->trigger();
        if (!answer.seen().shown)
            return 3;
    }
    for (const QString &text : std::as_const(errors.texts))
        std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], kSaveWithinLimit) == 0)
        return saveWithinSizeLimit(argc, argv);
    QApplication app(argc, argv);
    tst_FileSave test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filesave.moc"
