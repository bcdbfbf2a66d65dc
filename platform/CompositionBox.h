#pragma once

#include "platform/CappedTextEdit.h"

#include <QString>

// The operations the composition needs of its text box. The text the program sees has CR LF
// between lines; positions are the box's own.
class CompositionBox final
{
public:
    // The most UTF-16 code units the composition holds, CR LF counting two: no insertion,
    // replacement, typing or paste takes it further.
    static constexpr qsizetype kCapacity = 1'048'576;

    explicit CompositionBox(CappedTextEdit *edit);

    CappedTextEdit *widget() const { return m_edit; }

    QString text() const;
    // The length of text() without building it.
    qsizetype textLength() const;
    // Whether text (with CR LF between lines) is the whole current text; cheap when the
    // lengths differ.
    bool holds(const QString &text) const;

    // Replaces the selection by piece (a CR LF, lone CR or lone LF each gives one line
    // break); the caret then stands right after it with nothing selected. Program edits
    // stay out of the box's own undo history. Raises "文字列の大きさが ﾒﾓ の制限を越えました",
    // changing nothing, when the text would hold more than kCapacity code units.
    void replaceSelection(const QString &piece);
    // Raises that error when replaceSelection(piece) would take the text past kCapacity.
    void ensureRoomFor(QStringView piece) const;

    int selectionStart() const;
    void selectAll();
    void copySelectionToClipboard() const;
    // Selection length 0 at the selection start, caret scrolled into view.
    void collapseSelection();
    // Caret at position with nothing selected; the view does not scroll.
    void setSelectionStart(int position);

    // Replaces the whole text after turning lone CR and LF into CR LF. Returns false, with
    // no change notification, when that is the current text; raises "文字列の大きさが ﾒﾓ の制限を越えました"
    // when it holds more than kCapacity code units.
    bool replaceAll(const QString &text);
    // The same, but replaces even when text is the current text, so that the change
    // notification always fires once.
    void replaceWhole(const QString &text);

private:
    void replaceByNormalised(const QString &normalised);

    CappedTextEdit *m_edit;
};
