#include "platform/CappedTextEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// Characters that QTextCursor::insertText turns into a break between lines.
bool isSeparator(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

} // namespace

CappedTextEdit::CappedTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

qsizetype CappedTextEdit::unitsOf(QStringView text)
{
    qsizetype units = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            else
                ++units;
        } else if (isSeparator(text[i])) {
            ++units;
        }
    }
    return units;
}

qsizetype CappedTextEdit::textLength() const
{
    const QTextDocument *text = document();
    // characterCount() holds one separator per line, the last one included; in the text
    // each separator but the last is CR LF.
    return text->characterCount() - 1 + (text->blockCount() - 1);
}

bool CappedTextEdit::fits(QStringView piece) const
{
    const QTextCursor cursor = textCursor();
    const QTextDocument *text = document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    // Each line break in the selection is one position in the box and CR LF in the text.
    const qsizetype selected
        = end - start + (text->findBlock(end).blockNumber() - text->findBlock(start).blockNumber());
    return textLength() - selected + unitsOf(piece) <= m_capacity;
}

void CappedTextEdit::keyPressEvent(QKeyEvent *event)
{
    // The keys that type their text, as the box takes them; moves, deletions and shortcuts
    // never lengthen the text, and a paste is checked as it inserts.
    const QString typed = event->text();
    const bool types
        = !isReadOnly() && !typed.isEmpty() && (typed.front().isPrint() || typed.front() == u'\t');
    if (types && !fits(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CappedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty() || fits(event->commitString())) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // The committed text is refused; the input method's pre-edit text goes on as it was.
    QInputMethodEvent refused(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&refused);
    event->accept();
}

bool CappedTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return QPlainTextEdit::canInsertFromMimeData(source)
        && (!source->hasText() || fits(source->text()));
}

void CappedTextEdit::insertFromMimeData(const QMimeData *source)
{
    // Paste, the selection's middle-click paste and a drop all insert here.
    if (source->hasText() && !fits(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}
