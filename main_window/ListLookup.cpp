#include "main_window/ListLookup.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <sys/stat.h>

namespace {

const QString kSubfolder = QStringLiteral("morvela");

// XDG folders count only as absolute paths; others are ignored.
bool isUsable(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path);
}

bool isRegularFile(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QStringList dataFolders()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (isUsable(dir))
            folders.append(QDir::cleanPath(dir + QLatin1Char('/') + kSubfolder));
    }
    return folders;
}

} // namespace

namespace ListLookup {

QString configFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!isUsable(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!isUsable(home))
            return {};
        base = home + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + QLatin1Char('/') + kSubfolder);
}

QList<Folder> searchOrder()
{
    QList<Folder> folders;
    // A current folder that no longer exists has no path.
    const QString current = QDir::currentPath();
    if (isUsable(current))
        folders.append({current, Place::CurrentFolder});
    const QString config = configFolder();
    if (!config.isEmpty())
        folders.append({config, Place::ConfigFolder});
    for (const QString &data : dataFolders())
        folders.append({data, Place::DataFolder});
    return folders;
}

std::optional<Found> find(const QString &name)
{
    for (const Folder &folder : searchOrder()) {
        const QString path = folder.path + QLatin1Char('/') + name;
        if (isRegularFile(path))
            return Found{path, folder.place};
    }
    return std::nullopt;
}

} // namespace ListLookup
