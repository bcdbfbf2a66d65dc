#include "main_window/ListLoading.h"

#include "main_window/ListModel.h"
#include "platform/AppError.h"

#include <QComboBox>
#include <QListView>

namespace ListLoading {

void fill(QComboBox &list, ListFile::Entries entries)
{
    const qsizetype read = entries.size();
    const int rows = static_cast<int>(qMin<qsizetype>(read, list.maxCount()));
    list.hidePopup();
    // Alike rows let a long drop-down open without measuring every entry.
    if (auto *view = qobject_cast<QListView *>(list.view()))
        view->setUniformItemSizes(true);
    // The list owns its model and deletes the one it held before.
    list.setModel(new ListModel(std::move(entries), rows, &list));
    // A new model selects its first row; a filled list has no entry selected.
    list.setCurrentIndex(-1);
    list.clearEditText();
    if (rows < read)
        throw AppError(QStringLiteral("行を挿入できません"));
}

} // namespace ListLoading
