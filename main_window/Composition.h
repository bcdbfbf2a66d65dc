#pragma once

#include "platform/CompositionBox.h"

#include <QString>

class QPlainTextEdit;

// The heart of the program: every insertion puts its piece at the caret and then puts the
// whole composition on the clipboard, leaving the caret just after the piece. It also keeps
// the one snapshot that Undo brings back.
class Composition final
{
public:
    explicit Composition(QPlainTextEdit *box);

    CompositionBox &box() { return m_box; }
    const CompositionBox &box() const { return m_box; }

    void insertAndPublish(const QString &piece);
    // Puts the whole composition on the clipboard; the caret stays, a selection is dropped.
    void publish();

    // The composition as it was before the last Insert text or symbol insertion.
    const QString &undoText() const { return m_undoText; }
    void takeSnapshot();
    // Brings the snapshot back; nothing happens when the composition already holds it.
    void restoreSnapshot();

private:
    CompositionBox m_box;
    QString m_undoText;
};
