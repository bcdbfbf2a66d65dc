#include "main_window/ListEditing.h"

#include "platform/AppError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr qsizetype kChunk = 64 * 1024;

AppError cannotCreate(const QString &path)
{
    return AppError(QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(path));
}

// Tried rather than worked out from the mode: a read-only file system, an ACL or another
// user's file all answer here. Opening without truncating changes nothing.
bool isWritable(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// The bytes of the file at path, or nothing when it is no longer a regular file one can
// read. Opened without blocking, so that a FIFO put there meanwhile cannot hold us up.
QByteArray bytesOf(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        for (;;) {
            const qsizetype used = bytes.size();
            bytes.resize(used + kChunk);
            const ssize_t got = ::read(fd, bytes.data() + used, kChunk);
            if (got < 0 && errno == EINTR) {
                bytes.resize(used);
                continue;
            }
            bytes.resize(used + qMax<ssize_t>(got, 0));
            if (got <= 0)
                break;
        }
    }
    ::close(fd);
    return bytes;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote
            = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

// Makes the file at path with contents, unless something of that name is there already:
// a regular file there is the user's and is kept as it is. True when it made the file.
bool createOnce(const QString &path, const QByteArray &contents)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd
        = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        struct stat info;
        if (errno == EEXIST && ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode))
            return false;
        throw cannotCreate(path);
    }
    const bool written = writeAll(fd, contents);
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    if (!written || !closed) {
        // A cut copy would be taken for the whole list.
        ::unlink(name.constData());
        throw cannotCreate(path);
    }
    return true;
}

} // namespace

namespace ListEditing {

Editable fileToEdit(const QString &name, const std::optional<ListLookup::Found> &source)
{
    if (source && source->place != ListLookup::Place::DataFolder && isWritable(source->path))
        return {source->path};

    const QString folder = ListLookup::configFolder();
    const QString copy = folder + QLatin1Char('/') + name;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw cannotCreate(copy);
    return {copy, createOnce(copy, source ? bytesOf(source->path) : QByteArray())};
}

} // namespace ListEditing
