#include "main_window/ListFile.h"

#include "platform/CodePage.h"

#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kEndOfFile = 0x1A; // Ctrl-Z
constexpr qsizetype kChunk = 64 * 1024;
// A size the file system reports is only a hint for the first buffer (a file under /proc
// reports 0, a sparse one may report far more than anyone would read).
constexpr qint64 kLargestFirstBuffer = 64 * 1024 * 1024;

QByteArrayView beforeEndOfFile(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return bytes;
    const void *mark = std::memchr(bytes.data(), kEndOfFile, static_cast<size_t>(bytes.size()));
    if (!mark)
        return bytes;
    return bytes.first(static_cast<const char *>(mark) - bytes.data());
}

// Reads until the end of the file or the first Ctrl-Z, past which nothing counts; returns
// 0 or the errno of the failing read.
int readContent(int fd, qint64 sizeHint, QByteArray &bytes)
{
    // One byte more than the file holds, so that the read which finds the end needs no
    // bigger buffer.
    bytes.resize(qBound<qint64>(1, sizeHint + 1, kLargestFirstBuffer));
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(used + qMax(used, kChunk));
        const ssize_t got
            = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            bytes.truncate(used);
            return got < 0 ? errno : 0;
        }
        const QByteArrayView fresh(bytes.constData() + used, got);
        used += got;
        const QByteArrayView kept = beforeEndOfFile(fresh);
        if (kept.size() < fresh.size()) {
            bytes.truncate(used - got + kept.size());
            return 0;
        }
    }
}

// A read that failed midway leaves a line cut short: only lines ended before it count.
QByteArrayView completeLines(QByteArrayView bytes)
{
    return bytes.first(bytes.lastIndexOf('\r') + 1);
}

// Walks the lines of a file's content (the bytes before any Ctrl-Z) by the line rules.
// Searching with memchr keeps a long list of short lines cheap.
class Lines final
{
public:
    explicit Lines(QByteArrayView content)
        : m_p(content.data())
        , m_end(content.data() + content.size())
        , m_nul(find(m_p, '\0'))
    {
    }

    // The kept bytes of the next line: up to its CR, or up to a NUL in it.
    bool next(QByteArrayView &line)
    {
        if (m_p == m_end)
            return false;
        const char *const lineEnd = find(m_p, '\r');
        const char *textEnd = lineEnd;
        if (m_nul < lineEnd) {
            textEnd = m_nul;
            m_nul = find(lineEnd, '\0');
        }
        line = QByteArrayView(m_p, textEnd - m_p);
        m_p = lineEnd;
        if (m_p != m_end) {
            ++m_p; // the CR
            if (m_p != m_end && *m_p == '\n')
                ++m_p;
        }
        return true;
    }

private:
    const char *find(const char *from, char byte) const
    {
        if (from == m_end)
            return m_end;
        const void *found = std::memchr(from, byte, static_cast<size_t>(m_end - from));
        return found ? static_cast<const char *>(found) : m_end;
    }

    const char *m_p;
    const char *const m_end;
    const char *m_nul; // the first NUL at or after the current line, or m_end
};

} // namespace

namespace ListFile {

QStringView Entries::at(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : m_ends.at(index - 1);
    return QStringView(m_text).sliced(start, m_ends.at(index) - start);
}

Entries decode(QByteArrayView bytes)
{
    QByteArrayView content = beforeEndOfFile(bytes);
    const CodePage::Detected detected = CodePage::detect(content);
    content = content.sliced(detected.markLength);

    Entries entries;
    // No byte gives more than one UTF-16 unit in either encoding.
    entries.m_text.resize(content.size());
    entries.m_ends.reserve(content.size() / 16);
    auto *const begin = reinterpret_cast<char16_t *>(entries.m_text.data());
    char16_t *out = begin;
    Lines lines(content);
    QByteArrayView line;
    if (detected.encoding == CodePage::Encoding::Cp932) {
        while (lines.next(line)) {
            out = CodePage::decodeCp932Into(line, out);
            entries.m_ends.append(out - begin);
        }
    } else {
        // Stateless: a sequence cut at a line's end is not completed by the next line.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless
                                | QStringDecoder::Flag::ConvertInitialBom);
        while (lines.next(line)) {
            auto *const next = utf8.appendToBuffer(reinterpret_cast<QChar *>(out), line);
            out = reinterpret_cast<char16_t *>(next);
            entries.m_ends.append(out - begin);
        }
    }
    entries.m_text.truncate(out - begin);
    return entries;
}

Reading read(const QByteArray &path)
{
    Reading reading;
    // Checked before opening, so that a FIFO is never opened at all.
    struct stat info;
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return reading;

    // Non-blocking and checked again once open: a FIFO put there in between cannot block.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reading.found = true;
        reading.error = IoError::fromErrno(errno);
        return reading;
    }
    int error = 0;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return reading;
    }
    reading.found = true;

    QByteArray bytes;
    if (error == 0)
        error = readContent(fd, info.st_size, bytes);
    // On Linux the descriptor is released even when close reports EINTR.
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;

    if (error != 0) {
        reading.entries = decode(completeLines(bytes));
        reading.error = IoError::fromErrno(error);
    } else {
        reading.entries = decode(bytes);
    }
    return reading;
}

} // namespace ListFile
