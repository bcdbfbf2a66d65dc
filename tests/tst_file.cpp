#include "FileDialogAnswer.h"
#include "TestSupport.h"
#include "main_window/CompositionFile.h"
#include "main_window/Unit1.h"
#include "platform/AppError.h"
#include "platform/CompositionBox.h"
#include "ui_Unit1.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

const char kSaveWithinLimit[] = "--save-within-size-limit";
constexpr rlim_t kSizeLimit = 4096;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int modeOf(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return static_cast<int>(status.st_mode);
}

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QString cannotOpen(const QString &path)
{
    return QStringLiteral("ﾌｧｲﾙ %1 は開けません.").arg(path);
}

QString cannotCreate(const QString &path)
{
    return QStringLiteral("ﾌｧｲﾙ %1 を作成できません.").arg(path);
}

const QString kTooLong = QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました.");
const QString kWriteError = QStringLiteral("ｽﾄﾘｰﾑへの書き込みｴﾗｰ.");

} // namespace

class tst_File : public QObject
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

    void openDecodesAndNormalises_data();
    void openDecodesAndNormalises();
    void openingWhatWasSavedChangesNothing_data();
    void openingWhatWasSavedChangesNothing();
    void fileWithNulReplacesEveryTime_data();
    void fileWithNulReplacesEveryTime();
    void openErrors_data();
    void openErrors();
    void foldersAreRefused();
    void tooLongForTheBox_data();
    void tooLongForTheBox();
    void hugeFileIsNotReadOn_data();
    void hugeFileIsNotReadOn();

private:
    void setComposition(const QString &text);
    void save(const QString &path);
    void open(const QString &path);
    QString pathOf(const QString &name) const { return m_dir->filePath(name); }

    TForm1 *m_form = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSignalSpy> m_changes;
};

void tst_File::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_File::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = showForm1();
    m_changes = std::make_unique<QSignalSpy>(m_form->Memo1().widget(),
                                             &QPlainTextEdit::textChanged);
}

void tst_File::cleanup()
{
    m_changes.reset();
    delete m_form;
    m_form = nullptr;
    m_dir.reset();
}

void tst_File::setComposition(const QString &text)
{
    m_form->Memo1().replaceAll(text);
    m_changes->clear();
}

void tst_File::save(const QString &path)
{
    FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
    m_form->controls().SaveAs1->trigger();
    QVERIFY(answer.seen().shown);
    QVERIFY(!answer.seen().refused);
    QVERIFY(!answer.seen().askedQuestion);
}

void tst_File::open(const QString &path)
{
    FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
    m_form->controls().Open1->trigger();
    QVERIFY(answer.seen().shown);
    QVERIFY(!answer.seen().refused);
}

void tst_File::saveWritesTheCompositionsBytes_data()
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

void tst_File::saveWritesTheCompositionsBytes()
{
    QFETCH(QString, composition);
    QFETCH(QByteArray, bytes);
    ErrorBoxRecorder errors;
    setComposition(composition);
    m_form->state().UndoText = QStringLiteral("undo");
    setClipboardText(QStringLiteral("clip"));

    save(pathOf(QStringLiteral("out.txt")));

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(contentsOf(pathOf(QStringLiteral("out.txt"))), bytes);
    QCOMPARE(m_form->Memo1().text(), composition);
    QCOMPARE(m_changes->count(), 0);
    QCOMPARE(m_form->state().UndoText, QStringLiteral("undo"));
    QCOMPARE(clipboardText(), QStringLiteral("clip"));
}

void tst_File::saveReplacesALongerFileWhole()
{
    ErrorBoxRecorder errors;
    const QString path = pathOf(QStringLiteral("old.txt"));
    QVERIFY(writeFile(path, QByteArray(1000, 'o')));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    setComposition(QStringLiteral("ab"));

    save(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(contentsOf(path), QByteArray("ab"));
    QCOMPARE(modeOf(path) & 07777, 0640);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
}

void tst_File::saveWritesThroughALink()
{
    ErrorBoxRecorder errors;
    const QString target = pathOf(QStringLiteral("target.txt"));
    const QString link = pathOf(QStringLiteral("link.txt"));
    QVERIFY(writeFile(target, "old"));
    QVERIFY(QFile::link(target, link));
    setComposition(QStringLiteral("new"));

    save(link);

    QVERIFY(errors.texts.isEmpty());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contentsOf(target), QByteArray("new"));
}

void tst_File::saveErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fifo");
    QTest::newRow("missing folder") << "missing/out.txt" << false;
    QTest::newRow("FIFO") << "pipe.txt" << true;
}

void tst_File::saveErrors()
{
    QFETCH(QString, name);
    QFETCH(bool, fifo);
    const QString path = pathOf(name);
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ErrorBoxRecorder errors;
    setComposition(QStringLiteral("text"));

    save(path);

    QCOMPARE(errors.texts, QStringList{cannotCreate(path)});
    QCOMPARE(m_form->Memo1().text(), QStringLiteral("text"));
    if (fifo)
        QVERIFY(S_ISFIFO(modeOf(path)));
    else
        QVERIFY(!QFileInfo::exists(path));
}

void tst_File::failedSaveLeavesTheOldFile()
{
    // The disk fills mid-write: a child process saves under a file size limit.
    const QString path = pathOf(QStringLiteral("old.txt"));
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
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
}

void tst_File::openDecodesAndNormalises_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("composition");
    QTest::newRow("LF") << QByteArray("ab\ncd") << "ab\r\ncd";
    QTest::newRow("CR LF with a final break") << QByteArray("ab\r\n") << "ab\r\n";
    QTest::newRow("lone CR") << QByteArray("a\rb") << "a\r\nb";
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << "a\r\n\r\nb";
    QTest::newRow("Ctrl-Z is ordinary") << QByteArray("a\x1a\nb") << "a\x1a\r\nb";
    QTest::newRow("code page 932, trail byte 0x5C") << QByteArray("\x95\x5c\n\x83\x5c") << "表\r\nソ";
    QTest::newRow("UTF-8") << QByteArray("\xe3\x81\x82\n\xe2\x82\xac") << "あ\r\n€";
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xef\xbb\xbf" "ab") << "ab";
    QTest::newRow("NUL ends the text") << QByteArray("ab\ncd\0ef\n", 9) << "ab\r\ncd";
    QTest::newRow("empty file") << QByteArray() << "";
}

void tst_File::openDecodesAndNormalises()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, composition);
    ErrorBoxRecorder errors;
    const QString path = pathOf(QStringLiteral("in.txt"));
    QVERIFY(writeFile(path, bytes));
    setComposition(QStringLiteral("before"));
    m_form->state().UndoText = QStringLiteral("undo");
    setClipboardText(QStringLiteral("clip"));

    open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_form->Memo1().text(), composition);
    QCOMPARE(m_changes->count(), 1);
    QCOMPARE(m_form->state().UndoText, QStringLiteral("undo"));
    QCOMPARE(clipboardText(), QStringLiteral("clip"));
}

void tst_File::openingWhatWasSavedChangesNothing_data()
{
    QTest::addColumn<QString>("composition");
    QTest::newRow("empty") << QString();
    QTest::newRow("lines") << "ab\r\ncd\r\n";
    QTest::newRow("code page 932") << "日本語ｶﾅ①\\～";
    QTest::newRow("outside code page 932") << "한글\r\n€😀¥";
}

void tst_File::openingWhatWasSavedChangesNothing()
{
    QFETCH(QString, composition);
    ErrorBoxRecorder errors;
    const QString path = pathOf(QStringLiteral("round.txt"));
    setComposition(composition);

    save(path);
    open(path);

    QVERIFY(errors.texts.isEmpty());
    QCOMPARE(m_changes->count(), 0);
    // And it reads back the same in a window that held something else.
    setComposition(QStringLiteral("other"));
    open(path);
    QCOMPARE(m_form->Memo1().text(), composition);
    QCOMPARE(m_changes->count(), 1);
}

void tst_File::fileWithNulReplacesEveryTime_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("text before the NUL") << QByteArray("ab\0cd", 5) << "before" << "ab";
    QTest::newRow("NUL first, composition empty") << QByteArray("\0cd", 3) << "" << "";
}

void tst_File::fileWithNulReplacesEveryTime()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, before);
    QFETCH(QString, after);
    ErrorBoxRecorder errors;
    const QString path = pathOf(QStringLiteral("nul.txt"));
    QVERIFY(writeFile(path, bytes));
    setComposition(before);

    open(path);
    QCOMPARE(m_form->Memo1().text(), after);
    QCOMPARE(m_changes->count(), 1);
    open(path);
    QCOMPARE(m_form->Memo1().text(), after);
    QCOMPARE(m_changes->count(), 2);
    QVERIFY(errors.texts.isEmpty());
}

void tst_File::openErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "missing.txt";
    QTest::newRow("FIFO") << "pipe.txt";
    // A regular file whose read fails, reached through a link.
    QTest::newRow("read fails") << "mem.txt";
}

void tst_File::openErrors()
{
    QFETCH(QString, name);
    const QString path = pathOf(name);
    if (name == QLatin1String("mem.txt"))
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
    if (name == QLatin1String("pipe.txt"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ErrorBoxRecorder errors;
    setComposition(QStringLiteral("stays"));

    open(path);

    QCOMPARE(errors.texts, QStringList{cannotOpen(path)});
    QCOMPARE(m_form->Memo1().text(), QStringLiteral("stays"));
    QCOMPARE(m_changes->count(), 0);
}

void tst_File::foldersAreRefused()
{
    // The dialogs step into a folder rather than return it; the file logic refuses one too.
    const QString folder = pathOf(QStringLiteral("folder.txt"));
    QVERIFY(QDir().mkdir(folder));
    const auto messageOf = [](auto &&call) {
        try {
            call();
        } catch (const AppError &error) {
            return error.message() + QLatin1Char('.');
        }
        return QString();
    };
    QCOMPARE(messageOf([&] { CompositionFile::read(folder, CompositionBox::kCapacity); }),
             cannotOpen(folder));
    QCOMPARE(messageOf([&] { CompositionFile::write(folder, u"text"); }), cannotCreate(folder));
    QVERIFY(QFileInfo(folder).isDir());
}

void tst_File::tooLongForTheBox_data()
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

void tst_File::tooLongForTheBox()
{
    QFETCH(QByteArray, bytes);
    ErrorBoxRecorder errors;
    const QString path = pathOf(QStringLiteral("long.txt"));
    QVERIFY(writeFile(path, bytes));
    setComposition(QStringLiteral("stays"));

    open(path);

    QCOMPARE(errors.texts, QStringList{kTooLong});
    QCOMPARE(m_form->Memo1().text(), QStringLiteral("stays"));
    QCOMPARE(m_changes->count(), 0);
}

void tst_File::hugeFileIsNotReadOn_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QString>("composition");
    QTest::addColumn<QString>("error");
    // Past the most that could still fit, and no NUL before: refused unread.
    QTest::newRow("no NUL") << QByteArray(3 * CompositionBox::kCapacity + 4, 'a') << "stays"
                            << kTooLong;
    QTest::newRow("NUL early") << QByteArray("hello\0", 6) << "hello" << QString();
}

void tst_File::hugeFileIsNotReadOn()
{
    QFETCH(QByteArray, start);
    QFETCH(QString, composition);
    QFETCH(QString, error);
    ErrorBoxRecorder errors;
    // The rest is a hole of 4 GB, read as NUL bytes.
    const QString path = pathOf(QStringLiteral("huge.txt"));
    QVERIFY(writeFile(path, start));
    if (::truncate(QFile::encodeName(path).constData(), off_t(4) << 30) != 0)
        QSKIP("no sparse files here");
    setComposition(QStringLiteral("stays"));
    const long memoryBefore = peakMemoryKilobytes();

    open(path);

    QCOMPARE(errors.texts, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(m_form->Memo1().text(), composition);
    QVERIFY2(peakMemoryKilobytes() - memoryBefore < 256 * 1024, "read far more than the limit");
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
    std::unique_ptr<TForm1> form(showForm1());
    form->Memo1().replaceAll(QString(100'000, QLatin1Char('x')));
    ErrorBoxRecorder errors;
    {
        FileDialogAnswer answer(FileDialogAnswer::Confirm, path);
        form->controls().SaveAs1->trigger();
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
    tst_File test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file.moc"
