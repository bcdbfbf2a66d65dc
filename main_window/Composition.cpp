#include "main_window/Composition.h"

#include "main_window/ProgramState.h"
#include "platform/CompositionBox.h"

namespace Composition {

void InsertAndPublish(CompositionBox &Memo1, ProgramState &state, const QString &piece)
{
    Memo1.replaceSelection(piece);
    Publish(Memo1, state);
}

void Publish(CompositionBox &Memo1, ProgramState &state)
{
    state.SavedCaret = Memo1.selectionStart();
    Memo1.selectAll();
    Memo1.copySelectionToClipboard();
    // The selection starts at 0 now: the box scrolls to the beginning of the composition.
    Memo1.collapseSelection();
    Memo1.setSelectionStart(state.SavedCaret);
}

void TakeSnapshot(const CompositionBox &Memo1, ProgramState &state)
{
    state.UndoText = Memo1.text();
}

} // namespace Composition
