#include "main_window/ListEditing.h"

#include "platform/AppError.h"
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AppError cannotCreate(const QString &path)
{
    return AppError(QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(path));
}

// The bytes of the file at path, or nothing when it is no longer a regular file one can
// read. Opened without blocking, so that a FIFO put there meanwhile cannot hold us up.
QByteArray bytesOf(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return file.readAll();
}

// Makes the file at path with contents, unless something of that name is there already:
// a regular file there is the user's and is kept as it is. True when it made the file.
bool createOnce(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo(path).isFile())
            return false;
        throw cannotCreate(path);
    }
    const bool written = file.write(contents) == contents.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        // A cut copy would be taken for the whole list.
        file.remove();
        throw cannotCreate(path);
    }
    return true;
}

} // namespace

namespace ListEditing {

Editable fileToEdit(const QString &name, const std::optional<ListLookup::Found> &source)
{
    if (source && source->place != ListLookup::Place::DataFolder
        && FileAccess::isWritable(source->path))
        return {source->path};

    const QString folder = ListLookup::configFolder();
    const QString copy = folder + QLatin1Char('/') + name;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw cannotCreate(copy);
    return {copy, createOnce(copy, source ? bytesOf(source->path) : QByteArray())};
}

} // namespace ListEditing
