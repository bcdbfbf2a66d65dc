#include "main_window/ListLoading.h"

#include "main_window/ListFile.h"
#include "main_window/ListModel.h"
#include "main_window/ProgramState.h"
#include "platform/AppError.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>

namespace ListLoading {

void load(QComboBox &list, const QString &name, ProgramState &state)
{
    const QString directory = QDir::currentPath();
    state.ListPath = directory + QLatin1Char('/') + name;
    // A current directory that no longer exists has no path, and no list file either.
    if (directory.isEmpty())
        return;
    ListFile::Reading reading = ListFile::read(QFile::encodeName(state.ListPath));
    if (!reading.found)
        return;

    const qsizetype read = reading.entries.size();
    const int rows = static_cast<int>(qMin<qsizetype>(read, list.maxCount()));
    if (read > 0)
        state.ListLine = reading.entries.at(qMin<qsizetype>(rows, read - 1)).toString();
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
