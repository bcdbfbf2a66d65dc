#pragma once

#include <QString>

class CompositionBox;
struct ProgramState;

// The heart of the program: every insertion puts its piece at the caret and then puts the
// whole composition on the clipboard, leaving the caret just after the piece.
namespace Composition {

void InsertAndPublish(CompositionBox &Memo1, ProgramState &state, const QString &piece);

// Puts the whole composition on the clipboard; the caret stays, a selection is dropped.
void Publish(CompositionBox &Memo1, ProgramState &state);

// UndoText := the whole composition.
void TakeSnapshot(const CompositionBox &Memo1, ProgramState &state);

} // namespace Composition
