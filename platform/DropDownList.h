#pragma once

class QComboBox;

// An editable drop-down list as the program's lists behave: the text field is the user's
// own, and only a pick from the list selects an entry.
namespace DropDownList {

// The typed text is never completed from the list nor taken for the entry that has the
// same text. The opened list highlights the selected entry, and no row when none is
// selected, so that the first Down goes to the first entry. Its rows are tall enough for
// every glyph of the list's font, and a list without entries opens one empty row.
void setUp(QComboBox *list);

} // namespace DropDownList
