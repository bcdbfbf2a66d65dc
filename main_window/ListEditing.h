#pragma once

#include "main_window/ListLookup.h"

#include <QString>

#include <optional>

namespace ListEditing {

struct Editable
{
    QString path;
    // Made just now, as a copy of what the list shows.
    bool created = false;
};

// The file the user edits for the list file called name, read from source (nothing when
// no file was found). The user's own file, in the current or the config folder, is edited
// in place when it may be written. Otherwise a copy of it, or an empty file, is first made
// in the config folder, never over a file that is there already; a sample from a data
// folder is never edited in place, even where it could be written. Raises
// "ﾌｧｲﾙ %s を作成できません" when no such file can be made.
Editable fileToEdit(const QString &name, const std::optional<ListLookup::Found> &source);

} // namespace ListEditing
