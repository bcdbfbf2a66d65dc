#pragma once

#include <QStringView>

class QLineEdit;

namespace TypingLimit {

// The bytes text takes in code page 932; a character that the code page lacks counts as
// two, like the double-byte characters around it.
qsizetype cp932Length(QStringView text);

// Typing or pasting into field that would take it past maxBytes is refused whole. Text
// that the program puts there is left as it is.
void limitBytes(QLineEdit *field, qsizetype maxBytes);

} // namespace TypingLimit
