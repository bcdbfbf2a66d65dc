#pragma once

#include "main_window/ListLookup.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <sys/types.h>

class QComboBox;

// A drop-down list and the file it shows. The file is looked up once, at start-up; from
// then on the list follows that file, or the one made for editing it: whenever it changes
// on disk, also by a new file renamed over it, the list is read again by the same rules.
class ListSource final : public QObject
{
    Q_OBJECT

public:
    // How long the file must stay unchanged before it is read again: an editor's save comes
    // as several changes in a row.
    static constexpr int kSettleMs = 100;

    ListSource(QComboBox *list, QString fileName, QObject *parent);

    // Looks the file up and fills the list. A missing file leaves it empty. Raises an I/O
    // error, or "行を挿入できません", once the entries read before the failure are in.
    void load();

    // The file the user edits for this list (ListEditing::fileToEdit); the list follows it
    // from now on.
    QString fileToEdit();

    // The file the list follows; nothing while there is none.
    const std::optional<ListLookup::Found> &source() const { return m_source; }

private:
    // What tells one state of a file from another; nothing where no regular file is.
    struct Stamp
    {
        dev_t device;
        ino_t inode;
        off_t size;
        qint64 modified;
        qint64 changed;
        bool operator==(const Stamp &) const = default;
    };
    static std::optional<Stamp> stampOf(const QString &path);

    void follow(const ListLookup::Found &found);
    void watch();
    void settle();
    // A changed file replaces the entries; a read error is shown and keeps the old ones.
    void reload();

    QComboBox *m_list;
    QString m_fileName;
    std::optional<ListLookup::Found> m_source;
    std::optional<Stamp> m_loaded;
    QFileSystemWatcher m_watcher;
    QTimer m_settleTimer;
};
