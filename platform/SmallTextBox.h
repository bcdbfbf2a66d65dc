#pragma once

class QPlainTextEdit;

// A multi-line box only a few lines high, as the composition box is: the lines it is laid
// out for show whole, and its scroll bar keeps a thumb that can be seen and dragged.
namespace SmallTextBox {

// Narrows the margin around the text so that lines whole lines of the box's font show at
// once, glyphs that reach beyond Qt's line height included; the box's size stays.
void showWholeLines(QPlainTextEdit *box, int lines);

// The vertical scroll bar's shortest thumb takes a third of its groove at most: the
// style's may fill a short bar's groove, and then it can neither be told from the groove
// nor be moved.
void keepThumbMovable(QPlainTextEdit *box);

} // namespace SmallTextBox
