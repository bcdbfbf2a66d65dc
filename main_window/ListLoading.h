#pragma once

#include <QString>

class QComboBox;

namespace ListLoading {

// Fills the empty drop-down list from the list file name in the current directory, in one
// step. A missing file leaves the list empty. A failure is raised after the entries read
// before it have gone into the list: an I/O error, or "行を挿入できません" for entries
// beyond the list's maxCount.
void load(QComboBox &list, const QString &name);

} // namespace ListLoading
