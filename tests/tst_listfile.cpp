#include "main_window/IoError.h"
#include "main_window/ListFile.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Run as a child, the test program reads a list file whose second read fails.
constexpr char kReadFailingMidwayOption[] = "--read-failing-midway";

QStringList texts(const ListFile::Entries &entries)
{
    QStringList list;
    for (qsizetype i = 0; i < entries.size(); ++i)
        list.append(entries.at(i).toString());
    return list;
}

int lowestFreeDescriptor()
{
    const int fd = ::open("/dev/null", O_RDONLY);
    ::close(fd);
    return fd;
}

void writeList(const QByteArray &path)
{
    QFile file(QFile::decodeName(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a\r\nb\r\n");
}

bool makeSocket(const QByteArray &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// The reader asks for one byte more than the file holds, and then for that one byte, which
// would find the end. From here on the system fails every read of one byte with EIO, so the
// read fails after the whole file has come in.
bool failReadsOfOneByte()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_read, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 1, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EIO & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
        && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Prints the entries read, one a line, and then the error's code.
int readFailingMidway(const char *path)
{
    if (!failReadsOfOneByte())
        return 2;
    const ListFile::Reading reading = ListFile::read(path);
    for (const QString &entry : texts(reading.entries))
        std::printf("entry %s\n", entry.toUtf8().constData());
    std::printf("error %d\n", reading.error ? reading.error->code() : 0);
    return 0;
}

} // namespace

class tst_ListFile : public QObject
{
    Q_OBJECT

private slots:
    void lineRules_data();
    void lineRules();
    void decoding_data();
    void decoding();
    void whatCountsAsAListFile_data();
    void whatCountsAsAListFile();
    void failingFile_data();
    void failingFile();
    void readFailingMidwayKeepsEndedLines_data();
    void readFailingMidwayKeepsEndedLines();
    void systemErrorsAndMessages_data();
    void systemErrorsAndMessages();

private:
    static QByteArray pathIn(const QTemporaryDir &dir)
    {
        return QFile::encodeName(dir.filePath("list.txt"));
    }
};

void tst_ListFile::lineRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    const QStringList abc{"a", "b", "c"};
    QTest::newRow("CR LF after every line") << QByteArray("a\r\nb\r\nc\r\n") << abc;
    QTest::newRow("no final line end") << QByteArray("a\r\nb\r\nc") << abc;
    QTest::newRow("LF alone is an ordinary byte")
        << QByteArray("a\nb\nc\n") << QStringList{"a\nb\nc\n"};
    QTest::newRow("Ctrl-Z after line two") << QByteArray("a\r\nb\r\n\x1A"
                                                         "c\r\n")
                                           << QStringList{"a", "b"};
    QTest::newRow("Ctrl-Z at a line's start") << QByteArray("a\r\n\x1A"
                                                            "b")
                                              << QStringList{"a"};
    QTest::newRow("Ctrl-Z inside a line") << QByteArray("ab\x1A"
                                                        "c\r\nd")
                                          << QStringList{"ab"};
    QTest::newRow("CR alone ends a line") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("LF after a lone CR") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("double CR LF gives an empty entry")
        << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("line end alone") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("NUL ends the entry's text")
        << QByteArray("ab\0cd\r\ne", 8) << QStringList{"ab", "e"};
    QTest::newRow("NUL at a line's start") << QByteArray("\0x\r\ny", 5) << QStringList{"", "y"};
    QTest::newRow("no trimming") << QByteArray(" a \t\r\n#b") << QStringList{" a \t", "#b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("Ctrl-Z alone") << QByteArray("\x1A") << QStringList{};
    const QByteArray longLine(10'000, 'x');
    QTest::newRow("10,000-byte line kept whole")
        << longLine + "\r\nb" << QStringList{QString::fromLatin1(longLine), "b"};
}

void tst_ListFile::lineRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(texts(ListFile::decode(bytes)), entries);
}

void tst_ListFile::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("code page 932")
        << QByteArray("\x82\xa0\x83\x41\r\n(^_^)\xb1\r\n\\")
        << QStringList{QStringLiteral("あア"), QStringLiteral("(^_^)ｱ"), QStringLiteral("\\")};
    QTest::newRow("lead byte at a line's end leaves the line end")
        << QByteArray("\x82\r\nb") << QStringList{QStringLiteral("\uFFFD"), "b"};
    QTest::newRow("undecodable byte")
        << QByteArray("\x85\x40\r\n") << QStringList{QStringLiteral("\uFFFD@")};
    QTest::newRow("UTF-8") << QByteArray("abc\r\n\xE3\x81\x82\xE3\x81\x84")
                           << QStringList{"abc", QStringLiteral("あい")};
    QTest::newRow("UTF-8 mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                      "a\r\n\xE3\x81\x82")
                                        << QStringList{"a", QStringLiteral("あ")};
    QTest::newRow("UTF-8 mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    // One code page 932 line makes the whole file code page 932.
    QTest::newRow("one encoding for the whole file")
        << QByteArray("\xE3\x81\x82\r\n\x82\xa0")
        << QStringList{CodePage::decodeCp932("\xE3\x81\x82"), QStringLiteral("あ")};
    QTest::newRow("bytes past Ctrl-Z do not decide")
        << QByteArray("\xE3\x81\x82\x1A\x82\xa0") << QStringList{QStringLiteral("あ")};
}

void tst_ListFile::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(texts(ListFile::decode(bytes)), entries);
}

void tst_ListFile::whatCountsAsAListFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("found");
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("regular file") << "file" << true;
    QTest::newRow("link to a regular file") << "link to file" << true;
    QTest::newRow("dated 1970") << "dated 1970" << true;
    QTest::newRow("dated 2200") << "dated 2200" << true;
    QTest::newRow("dangling link") << "dangling link" << false;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("socket") << "socket" << false;
    QTest::newRow("link to /dev/zero") << "link to /dev/zero" << false;
}

void tst_ListFile::whatCountsAsAListFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, found);
    QTemporaryDir dir;
    const QByteArray path = pathIn(dir);
    const QByteArray target = QFile::encodeName(dir.filePath("target.txt"));
    const int freeBefore = lowestFreeDescriptor();
    if (kind == "file" || kind.startsWith("dated"))
        writeList(path);
    if (kind == "link to file") {
        writeList(target);
        QCOMPARE(::symlink(target.constData(), path.constData()), 0);
    }
    if (kind.startsWith("dated")) {
        const utimbuf times{0, kind.endsWith("1970") ? 0 : 7'258'118'400}; // 2200-01-01
        QCOMPARE(::utime(path.constData(), &times), 0);
    }
    if (kind == "dangling link")
        QCOMPARE(::symlink(target.constData(), path.constData()), 0);
    if (kind == "directory")
        QCOMPARE(::mkdir(path.constData(), 0755), 0);
    if (kind == "fifo")
        QCOMPARE(::mkfifo(path.constData(), 0644), 0);
    if (kind == "socket")
        QVERIFY(makeSocket(path));
    if (kind == "link to /dev/zero")
        QCOMPARE(::symlink("/dev/zero", path.constData()), 0);

    const ListFile::Reading reading = ListFile::read(path);
    QCOMPARE(reading.found, found);
    QVERIFY(!reading.error);
    const QStringList expected = found ? QStringList{"a", "b"} : QStringList();
    QCOMPARE(texts(reading.entries), expected);
    QCOMPARE(lowestFreeDescriptor(), freeBefore);
}

void tst_ListFile::failingFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("read fails") << "read" << 30 << QStringLiteral("I/O ｴﾗｰ (30)");
    QTest::newRow("not readable") << "access" << 5
                                  << QStringLiteral("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
    QTest::newRow("no descriptor left")
        << "descriptors" << 4 << QStringLiteral("ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます");
}

void tst_ListFile::failingFile()
{
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QByteArray path = pathIn(dir);
    if (fault == "read") {
        // Reading a process's memory at address 0 fails with EIO.
        QCOMPARE(::symlink("/proc/self/mem", path.constData()), 0);
    } else {
        writeList(path);
    }

    const int freeBefore = lowestFreeDescriptor();
    ListFile::Reading reading;
    if (fault == "access") {
        QCOMPARE(::chmod(path.constData(), 0), 0);
        // Root reads anything: the check runs as nobody, who can still see the file.
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::seteuid(65534), 0);
        reading = ListFile::read(path);
        if (root)
            QCOMPARE(::seteuid(0), 0);
    } else if (fault == "descriptors") {
        rlimit previous{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &previous), 0);
        rlimit lowered = previous;
        lowered.rlim_cur = static_cast<rlim_t>(freeBefore);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
        reading = ListFile::read(path);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &previous), 0);
    } else {
        reading = ListFile::read(path);
    }

    QVERIFY(reading.found);
    QVERIFY(reading.error);
    QCOMPARE(reading.error->code(), code);
    QCOMPARE(reading.error->message(), message);
    QCOMPARE(reading.entries.size(), 0);
    QCOMPARE(lowestFreeDescriptor(), freeBefore);
}

void tst_ListFile::readFailingMidwayKeepsEndedLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("a line cut short") << QByteArray("a\r\nb\r\nc") << QStringList{"a", "b"};
    QTest::newRow("every line ended") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("ended by CR alone") << QByteArray("a\rbc") << QStringList{"a"};
    QTest::newRow("no line ended") << QByteArray("abc") << QStringList{};
}

void tst_ListFile::readFailingMidwayKeepsEndedLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QTemporaryDir dir;
    const QByteArray path = pathIn(dir);
    QFile file(QFile::decodeName(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kReadFailingMidwayOption), QFile::decodeName(path)});
    QVERIFY(child.waitForFinished(60'000));
    QCOMPARE(child.exitCode(), 0);
    QStringList expected;
    for (const QString &entry : entries)
        expected.append(QStringLiteral("entry ") + entry);
    expected.append(QStringLiteral("error 30"));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput())
                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             expected);
}

void tst_ListFile::systemErrorsAndMessages_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QString notFound = QStringLiteral("ﾌｧｲﾙが見つかりません");
    const QString badName = QStringLiteral("不正なﾌｧｲﾙ名です");
    const QString tooMany = QStringLiteral("ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます");
    const QString denied = QStringLiteral("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
    QTest::newRow("ENOENT") << ENOENT << 2 << notFound;
    QTest::newRow("ENOTDIR") << ENOTDIR << 3 << badName;
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << 3 << badName;
    QTest::newRow("ELOOP") << ELOOP << 3 << badName;
    QTest::newRow("EMFILE") << EMFILE << 4 << tooMany;
    QTest::newRow("ENFILE") << ENFILE << 4 << tooMany;
    QTest::newRow("EACCES") << EACCES << 5 << denied;
    QTest::newRow("EPERM") << EPERM << 5 << denied;
    QTest::newRow("EROFS") << EROFS << 5 << denied;
    QTest::newRow("EBUSY") << EBUSY << 32 << QStringLiteral("I/O ｴﾗｰ (32)");
    QTest::newRow("ETXTBSY") << ETXTBSY << 32 << QStringLiteral("I/O ｴﾗｰ (32)");
    QTest::newRow("EIO") << EIO << 30 << QStringLiteral("I/O ｴﾗｰ (30)");
    QTest::newRow("ENOSPC") << ENOSPC << ENOSPC << QStringLiteral("I/O ｴﾗｰ (%1)").arg(ENOSPC);
    // The number of an unmapped error never borrows the text of one of our codes.
    QTest::newRow("EINTR") << EINTR << EINTR << QStringLiteral("I/O ｴﾗｰ (%1)").arg(EINTR);
    QTest::newRow("ENETDOWN") << ENETDOWN << ENETDOWN
                              << QStringLiteral("I/O ｴﾗｰ (%1)").arg(ENETDOWN);
}

void tst_ListFile::systemErrorsAndMessages()
{
    QFETCH(int, error);
    QFETCH(int, code);
    QFETCH(QString, message);
    const IoError ioError = IoError::fromErrno(error);
    QCOMPARE(ioError.code(), code);
    QCOMPARE(ioError.message(), message);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], kReadFailingMidwayOption) == 0)
        return readFailingMidway(argv[2]);
    QCoreApplication application(argc, argv);
    tst_ListFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_listfile.moc"
