#pragma once

#include <QList>
#include <QString>

#include <optional>

// Where a list file is looked for: the current folder, where a terminal or `make run`
// starts Morvela; the user's own folder; then the folders a package installs samples to.
namespace ListLookup {

enum class Place { CurrentFolder, ConfigFolder, DataFolder };

struct Folder
{
    QString path;
    Place place;
};

struct Found
{
    QString path;
    Place place;
};

// $XDG_CONFIG_HOME/morvela, or ~/.config/morvela; empty when neither can be told.
QString configFolder();

// The folders in the order they are searched: the current folder, configFolder(), then
// morvela/ under each folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share).
// Folders that cannot be told (no current folder, a relative path) are left out.
QList<Folder> searchOrder();

// The first regular file called name (a link to one counts) in searchOrder(). Anything else
// of that name is passed over, so that a FIFO or a folder never stops the search.
std::optional<Found> find(const QString &name);

} // namespace ListLookup
