#include "main_window/ListLoading.h"

#include "main_window/ListFile.h"
#include "main_window/ListModel.h"
#include "platform/AppError.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>

namespace ListLoading {

void load(QComboBox &list, const QString &name)
{
    const QString directory = QDir::currentPath();
    // A current directory that no longer exists has no path, and no list file either.
    if (directory.isEmpty())
        return;
    const QString path = directory + QLatin1Char('/') + name;
    ListFile::Reading reading = ListFile::read(QFile::encodeName(path));
    if (!reading.found)
        return;

    const qsizetype read = reading.entries.size();
    const int rows = static_cast<int>(qMin<qsizetype>(read, list.maxCount()));
    if (rows > 0) {
        // Alike rows let a long drop-down open without measuring every entry.
        if (auto *view = qobject_cast<QListView *>(list.view()))
            view->setUniformItemSizes(true);
        list.setModel(new ListModel(std::move(reading.entries), rows, &list));
        // A new model selects its first row; at start no entry is selected.
        list.setCurrentIndex(-1);
    }
    if (rows < read)
        throw AppError(QStringLiteral("行を挿入できません"));
    if (reading.error)
        throw *reading.error;
}

} // namespace ListLoading
