#include "main_window/CompositionFile.h"

#include "platform/AppError.h"
#include "platform/CodePage.h"
#include "platform/FileAccess.h"
#include "platform/LineBreaks.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No encoding read here takes more than three bytes for one UTF-16 code unit (UTF-8 for
// the basic plane; code page 932 takes two, a UTF-8 surrogate pair four for two units),
// and a UTF-8 mark takes three bytes for none.
constexpr qsizetype kBytesPerUnit = 3;
constexpr qsizetype kMarkLength = 3;
constexpr qsizetype kChunk = 64 * 1024;
constexpr int kMaxLinks = 40;

AppError cannotOpen(const QString &path)
{
    return AppError(QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(path));
}

AppError cannotCreate(const QString &path)
{
    return AppError(QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(path));
}

AppError tooLong()
{
    return AppError(QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました"));
}

AppError writeFailed()
{
    return AppError(QStringLiteral("ｽﾄﾘｰﾑへの書き込みｴﾗｰ"));
}

class Descriptor final
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor() { ::close(m_fd); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

// Up to want bytes from the start. The size the system reports is only a hint: files under
// /proc report none, and a file may grow while it is read.
std::optional<QByteArray> readUpTo(int fd, off_t sizeHint, qsizetype want)
{
    QByteArray bytes;
    bytes.reserve(sizeHint > 0 ? static_cast<qsizetype>(qMin<off_t>(sizeHint, want)) : 0);
    while (bytes.size() < want) {
        const qsizetype before = bytes.size();
        const qsizetype chunk = qMin(kChunk, want - before);
        bytes.resize(before + chunk);
        const ssize_t got = ::read(fd, bytes.data() + before, static_cast<size_t>(chunk));
        bytes.resize(before + qMax<ssize_t>(got, 0));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
    }
    return bytes;
}

QString normalised(QByteArrayView bytes)
{
    return LineBreaks::toCrLf(CodePage::decodeText(bytes));
}

// The file a link finally names; the path itself when it is no link.
std::optional<QString> linkTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinks)
            return std::nullopt;
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// Devices, FIFOs and folders are never replaced by a file, nor a file the user may not
// change, although its folder would let a new file take its place.
bool isReplaceable(const QString &target)
{
    const QByteArray name = QFile::encodeName(target);
    struct stat status;
    if (::stat(name.constData(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && FileAccess::isWritable(target);
}

} // namespace

namespace CompositionFile {

Contents read(const QString &path, qsizetype maxUnits)
{
    // Non-blocking, so that opening a FIFO returns at once and is refused below.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw cannotOpen(path);
    const Descriptor file(fd);
    struct stat status;
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        throw cannotOpen(path);

    const qsizetype limit = kBytesPerUnit * maxUnits + kMarkLength;
    // One byte more than the limit tells a longer file without reading the rest of it.
    const std::optional<QByteArray> bytes = readUpTo(file.get(), status.st_size, limit + 1);
    if (!bytes)
        throw cannotOpen(path);
    const bool readWhole = bytes->size() <= limit;
    const qsizetype nul = bytes->indexOf('\0');
    if (!readWhole && nul < 0)
        throw tooLong();

    return decode(*bytes, readWhole);
}

Contents decode(QByteArrayView bytes, bool whole)
{
    const qsizetype nul = bytes.indexOf('\0');
    Contents contents;
    contents.text = normalised(bytes.first(nul < 0 ? bytes.size() : nul));
    if (whole)
        contents.whole = nul < 0 ? contents.text : normalised(bytes);
    return contents;
}

void write(const QString &path, QStringView text)
{
    const QByteArray bytes = CodePage::encodeForFile(text);
    const std::optional<QString> target = linkTarget(path);
    if (!target || !isReplaceable(*target))
        throw cannotCreate(path);

    QSaveFile file(*target);
    // In a folder where no new file may be made, a file the user may change is written in
    // place, truncated first, as a plain save would; everywhere else the save is atomic.
    file.setDirectWriteFallback(true);
    // Unbuffered, so that a short write shows at once rather than at the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotCreate(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw writeFailed();
    }
    if (!file.commit())
        throw file.error() == QFileDevice::WriteError ? writeFailed() : cannotCreate(path);
}

} // namespace CompositionFile
