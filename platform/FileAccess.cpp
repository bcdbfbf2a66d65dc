#include "platform/FileAccess.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace FileAccess {

bool isWritable(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace FileAccess
