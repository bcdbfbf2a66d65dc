#pragma once

#include "main_window/ListFile.h"

class QComboBox;

namespace ListLoading {

// Puts entries into the drop-down list in one step, in place of what it held, with no
// entry selected and the text field empty. Entries past the list's maxCount are left out
// and "行を挿入できません" raised once the others are in.
void fill(QComboBox &list, ListFile::Entries entries);

} // namespace ListLoading
