#pragma once

#include "platform/CompositionBox.h"

#include <QString>

// The heart of the program: every insertion puts its piece at the caret and then puts the
// whole composition on the clipboard, leaving the caret just after the piece. It also keeps
// the one snapshot that Undo brings back.
class Composition final
{
public:
    explicit Composition(CappedTextEdit *box);

    CompositionBox &box() { return m_box; }
    const CompositionBox &box() const { return m_box; }

    // Raises "文字列の大きさが ﾒﾓ の制限を越えました", changing nothing, for a piece that would
    // take the composition past its capacity.
    void insertAndPublish(const QString &piece);
    // Puts the whole composition on the clipboard; the caret stays, a selection is dropped.
    void publish();

    // The composition as it was before the last Insert text or symbol insertion.
    const QString &undoText() const { return m_undoText; }
    void takeSnapshot();
    // Insert text and a symbol: the snapshot, then the insertion. A piece that does not fit
    // changes the snapshot neither.
    void takeSnapshotAndInsert(const QString &piece);
    // Brings the snapshot back; nothing happens when the composition already holds it.
    void restoreSnapshot();

private:
    CompositionBox m_box;
    QString m_undoText;
};
