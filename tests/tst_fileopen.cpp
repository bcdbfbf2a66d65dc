#include "FileBench.h"
#include "main_window/CompositionFile.h"
#include "platform/CompositionBox.h"

#include <QDir>
#include <QStandardPaths>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class tst_FileOpen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openDecodesAndNormalises_data();
    void openDecodesAndNormalises();
    void openingWhatWasSavedChangesNothing_data();
    void openingWhatWasSavedChangesNothing();
    void fileEqualOnceNormalisedChangesNothing_data();
    void fileEqualOnceNormalisedChangesNothing();
    void fileWithNulReplacesEveryTime_data();
    void fileWithNulReplacesEveryTime();
    void openErrors_data();
    void openErrors();
    void tooLongForTheBox_data();
    void tooLongForTheBox();
    void hugeFileIsNotReadOn_data();
    void hugeFileIsNotReadOn();
    void folderIsNotRead();

private:
    std::unique_ptr<FileBench> m_bench;
};

void tst_FileOpen::initTestCase()
{
    // Qt's dialog keeps its own view settings; tests keep them away from the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void tst_FileOpen::init()
{
    m_bench = std::make_unique<FileBench>();
    QVERIFY(m_bench->isValid());
}

void tst_FileOpen::cleanup()
{
    m_bench.reset();
}

void tst_FileOpen::openDecodesAndNormalises_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("composition");
    QTest::newRow("LF") << QByteArray("ab\ncd") << "ab\r\ncd";
    QTest::newRow("CR LF with a final break") << QByteArray("ab\r\n") << "ab\r\n";
    QTest::newRow("lone CR") << QByteArray("a\rb") << "a\r\nb";
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << "a\r\n\r\nb";
    QTest::newRow("Ctrl-Z is ordinary") << QByteArray("a\x1a\nb") << "a\x1a\r\nb";
    QTest::newRow("code page 932, trail byte 0x5C")
        << QByteArray("\x95\x5c\n\x83\x5c") << "表\r\nソ";
    QTest::newRow("UTF-8") << QByteArray("\xe3\x81\x82\n\xe2\x82\xac") << "あ\r\n€";
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xef\xbb\xbf"
                                                     "ab")
                                       << "ab";
    QTest::newRow("NUL ends the text") << QByteArray("ab\ncd\0ef\n", 9) << "ab\r\ncd";
    QTest::newRow("empty file") << QByteArray() << "";
}

void tst_FileOpen::openDecodesAndNormalises()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, composition);
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("in.txt"));
    QVERIFY(writeFile(path, bytes));
    setUndoText(m_bench->mainWindow().composition(), QStringLiteral("undo"));
    m_bench->setComposition(QStringLiteral("before"));
    setClipboardText(QStringLiteral("clip"));

    m_bench->open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_bench->composition(), composition);
    QCOMPARE(m_bench->changes(), 1);
    QCOMPARE(m_bench->mainWindow().composition().undoText(), QStringLiteral("undo"));
    QCOMPARE(clipboardText(), QStringLiteral("clip"));
}

void tst_FileOpen::openingWhatWasSavedChangesNothing_data()
{
    QTest::addColumn<QString>("composition");
    QTest::newRow("empty") << QString();
    QTest::newRow("lines") << "ab\r\ncd\r\n";
    QTest::newRow("code page 932") << "日本語ｶﾅ①\\～";
    QTest::newRow("outside code page 932") << "한글\r\n€😀¥";
}

void tst_FileOpen::openingWhatWasSavedChangesNothing()
{
    QFETCH(QString, composition);
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("round.txt"));
    m_bench->setComposition(composition);

    m_bench->save(path);
    m_bench->open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_bench->changes(), 0);
    // And it reads back the same in a window that held something else.
    m_bench->setComposition(QStringLiteral("other"));
    m_bench->open(path);
    QCOMPARE(m_bench->composition(), composition);
    QCOMPARE(m_bench->changes(), 1);
}

void tst_FileOpen::fileEqualOnceNormalisedChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("composition");
    QTest::newRow("LF") << QByteArray("ab\ncd") << "ab\r\ncd";
    QTest::newRow("lone CR at the end") << QByteArray("ab\r") << "ab\r\n";
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << "a\r\n\r\nb";
    QTest::newRow("code page 932, trail byte 0x5C")
        << QByteArray("\x95\x5c\n\x83\x5c") << "表\r\nソ";
}

void tst_FileOpen::fileEqualOnceNormalisedChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, composition);
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("lf.txt"));
    QVERIFY(writeFile(path, bytes));
    setUndoText(m_bench->mainWindow().composition(), QStringLiteral("undo"));
    m_bench->setComposition(composition);
    m_bench->mainWindow().compositionBox().setSelectionStart(1);
    setClipboardText(QStringLiteral("clip"));

    m_bench->open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_bench->changes(), 0);
    QCOMPARE(m_bench->composition(), composition);
    QCOMPARE(m_bench->mainWindow().compositionBox().selectionStart(), 1);
    QCOMPARE(m_bench->mainWindow().composition().undoText(), QStringLiteral("undo"));
    QCOMPARE(clipboardText(), QStringLiteral("clip"));
}

void tst_FileOpen::fileWithNulReplacesEveryTime_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("text before the NUL") << QByteArray("ab\0cd", 5) << "before"
                                         << "ab";
    QTest::newRow("NUL first, composition empty") << QByteArray("\0cd", 3) << ""
                                                  << "";
}

void tst_FileOpen::fileWithNulReplacesEveryTime()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, before);
    QFETCH(QString, after);
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("nul.txt"));
    QVERIFY(writeFile(path, bytes));
    m_bench->setComposition(before);

    m_bench->open(path);
    QCOMPARE(m_bench->composition(), after);
    QCOMPARE(m_bench->changes(), 1);
    m_bench->open(path);
    QCOMPARE(m_bench->composition(), after);
    QCOMPARE(m_bench->changes(), 2);
    QVERIFY(errors.texts.isEmpty());
}

void tst_FileOpen::openErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "missing.txt";
    QTest::newRow("FIFO") << "pipe.txt";
    // A regular file whose read fails, reached through a link.
    QTest::newRow("read fails") << "mem.txt";
}

void tst_FileOpen::openErrors()
{
    QFETCH(QString, name);
    const QString path = m_bench->pathOf(name);
    if (name == QLatin1String("mem.txt"))
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
    if (name == QLatin1String("pipe.txt"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ErrorBoxRecorder errors;
    m_bench->setComposition(QStringLiteral("stays"));

    m_bench->open(path);

    QCOMPARE(errors.texts, QStringList{cannotOpen(path)});
    QCOMPARE(m_bench->composition(), QStringLiteral("stays"));
    QCOMPARE(m_bench->changes(), 0);
}

void tst_FileOpen::tooLongForTheBox_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("one unit more") << QByteArray(CompositionBox::kCapacity + 1, 'a');
    // Each LF becomes two units.
    QTest::newRow("grows with CR LF") << QByteArray(CompositionBox::kCapacity / 2 + 1, '\n');
    // Three bytes a unit in UTF-8, within the read limit.
    QByteArray threeByteUnits;
    for (qsizetype i = 0; i <= CompositionBox::kCapacity; ++i)
        threeByteUnits += "\xe3\x81\x82";
    QTest::newRow("UTF-8 of three bytes a unit") << threeByteUnits;
}

void tst_FileOpen::tooLongForTheBox()
{
    QFETCH(QByteArray, bytes);
    ErrorBoxRecorder errors;
    const QString path = m_bench->pathOf(QStringLiteral("long.txt"));
    QVERIFY(writeFile(path, bytes));
    m_bench->setComposition(QStringLiteral("stays"));

    m_bench->open(path);

    QCOMPARE(errors.texts, QStringList{kTooLong});
    QCOMPARE(m_bench->composition(), QStringLiteral("stays"));
    QCOMPARE(m_bench->changes(), 0);
}

void tst_FileOpen::hugeFileIsNotReadOn_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QString>("error");
    // Past the most that could still fit, and no NUL before: refused unread.
    QTest::newRow("no NUL") << QByteArray(3 * CompositionBox::kCapacity + 4, 'a') << "stays"
                            << kTooLong;
    QTest::newRow("NUL early") << QByteArray("hello\0", 6) << "hello" << QString();
}

void tst_FileOpen::hugeFileIsNotReadOn()
{
    QFETCH(QByteArray, start);
    QFETCH(QString, composition);
    QFETCH(QString, error);
    ErrorBoxRecorder errors;
    // The rest is a hole of 4 GB, read as NUL bytes.
    const QString path = m_bench->pathOf(QStringLiteral("huge.txt"));
    QVERIFY(writeFile(path, start));
    if (::truncate(QFile::encodeName(path).constData(), off_t(4) << 30) != 0)
        QSKIP("no sparse files here");
    m_bench->setComposition(QStringLiteral("stays"));
    const long memoryBefore = peakMemoryKilobytes();

    m_bench->open(path);

    QCOMPARE(errors.texts, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(m_bench->composition(), composition);
    QVERIFY2(peakMemoryKilobytes() - memoryBefore < 256 * 1024, "read far more than the limit");
}

void tst_FileOpen::folderIsNotRead()
{
    // The dialog steps into a folder rather than return it; the file logic refuses one too.
    const QString folder = m_bench->pathOf(QStringLiteral("folder.txt"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(boxTextOf([&] { CompositionFile::read(folder, CompositionBox::kCapacity); }),
             cannotOpen(folder));
}

QTEST_MAIN(tst_FileOpen)
#include "tst_fileopen.moc"
