#include "main_window/Composition.h"

Composition::Composition(CappedTextEdit *box)
    : m_box(box)
{
}

void Composition::insertAndPublish(const QString &piece)
{
    m_box.replaceSelection(piece);
    publish();
}

void Composition::publish()
{
    const int savedCaret = m_box.selectionStart();
    m_box.selectAll();
    m_box.copySelectionToClipboard();
    // The selection starts at 0 now: the box scrolls to the beginning of the composition.
    m_box.collapseSelection();
    m_box.setSelectionStart(savedCaret);
}

void Composition::takeSnapshot()
{
    m_undoText = m_box.text();
}

void Composition::takeSnapshotAndInsert(const QString &piece)
{
    m_box.ensureRoomFor(piece);
    takeSnapshot();
    insertAndPublish(piece);
}

void Composition::restoreSnapshot()
{
    m_box.replaceAll(m_undoText);
}
