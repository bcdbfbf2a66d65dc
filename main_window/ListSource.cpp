#include "main_window/ListSource.h"

#include "main_window/ListEditing.h"
#include "main_window/ListFile.h"
#include "main_window/ListLoading.h"
#include "platform/HandlerGuard.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

ListSource::ListSource(QComboBox *list, QString fileName, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_fileName(std::move(fileName))
    , m_watcher(this)
    , m_settleTimer(this)
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kSettleMs);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ListSource::settle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ListSource::settle);
    connect(&m_settleTimer, &QTimer::timeout, this, [this] { runGuarded([this] { reload(); }); });
}

std::optional<ListSource::Stamp> ListSource::stampOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const auto nanoseconds
        = [](const timespec &time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return Stamp{info.st_dev, info.st_ino, info.st_size, nanoseconds(info.st_mtim),
                 nanoseconds(info.st_ctim)};
}

void ListSource::load()
{
    const std::optional<ListLookup::Found> found = ListLookup::find(m_fileName);
    if (!found)
        return;
    follow(*found);
    ListFile::Reading reading = ListFile::read(QFile::encodeName(found->path));
    if (!reading.found)
        return;
    ListLoading::fill(*m_list, std::move(reading.entries));
    if (reading.error)
        throw *reading.error;
}

QString ListSource::fileToEdit()
{
    const ListEditing::Editable editable = ListEditing::fileToEdit(m_fileName, m_source);
    if (!m_source || m_source->path != editable.path) {
        follow({editable.path, ListLookup::Place::ConfigFolder});
        // A copy made now holds what the list shows; a file that was there already is the
        // list from now on.
        if (!editable.created) {
            m_loaded.reset();
            reload();
        }
    }
    return editable.path;
}

void ListSource::follow(const ListLookup::Found &found)
{
    m_source = found;
    m_loaded = stampOf(found.path);
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    // The folder tells of a file renamed over the list file, which the file's own watch,
    // bound to the replaced file, does not see.
    m_watcher.addPath(QFileInfo(found.path).absolutePath());
    watch();
}

void ListSource::watch()
{
    if (m_source && !m_watcher.files().contains(m_source->path)
        && QFileInfo::exists(m_source->path))
        m_watcher.addPath(m_source->path);
}

void ListSource::settle()
{
    m_settleTimer.start();
}

void ListSource::reload()
{
    watch();
    const std::optional<Stamp> now = stampOf(m_source->path);
    if (now == m_loaded)
        return;
    // Once told, an error is not told again until the file changes once more.
    m_loaded = now;
    ListFile::Reading reading = ListFile::read(QFile::encodeName(m_source->path));
    if (reading.error)
        throw *reading.error;
    // Gone, or no longer a regular file: as at start-up, the list is then empty.
    ListLoading::fill(*m_list, reading.found ? std::move(reading.entries) : ListFile::Entries());
}
