#include "platform/CompositionBox.h"

#include "platform/AppError.h"
#include "platform/LineBreaks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The document keeps U+2029 between blocks; the program's text has CR LF there.
QString withCrLf(QString raw)
{
    return raw.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

// Edits made by the program do not enter the box's own undo history.
template<typename Edit>
void withoutUndo(QPlainTextEdit *edit, Edit change)
{
    QTextDocument *document = edit->document();
    document->setUndoRedoEnabled(false);
    change();
    document->setUndoRedoEnabled(true);
}

AppError tooLong()
{
    return AppError(QStringLiteral("文字列の大きさが ﾒﾓ の制限を越えました"));
}

} // namespace

CompositionBox::CompositionBox(CappedTextEdit *edit)
    : m_edit(edit)
{
    m_edit->setCapacity(kCapacity);
}

QString CompositionBox::text() const
{
    return withCrLf(m_edit->document()->toRawText());
}

qsizetype CompositionBox::textLength() const
{
    return m_edit->textLength();
}

void CompositionBox::ensureRoomFor(QStringView piece) const
{
    if (!m_edit->fits(piece))
        throw tooLong();
}

void CompositionBox::replaceSelection(const QString &piece)
{
    ensureRoomFor(piece);
    QTextCursor cursor = m_edit->textCursor();
    withoutUndo(m_edit, [&] { cursor.insertText(LineBreaks::toSingleBreaks(piece)); });
    m_edit->setTextCursor(cursor);
}

int CompositionBox::selectionStart() const
{
    return m_edit->textCursor().selectionStart();
}

void CompositionBox::selectAll()
{
    m_edit->selectAll();
}

void CompositionBox::copySelectionToClipboard() const
{
    QGuiApplication::clipboard()->setText(withCrLf(m_edit->textCursor().selectedText()));
}

void CompositionBox::collapseSelection()
{
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

void CompositionBox::setSelectionStart(int position)
{
    QScrollBar *vertical = m_edit->verticalScrollBar();
    QScrollBar *horizontal = m_edit->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(qBound(0, position, m_edit->document()->characterCount() - 1));
    m_edit->setTextCursor(cursor);
    vertical->setValue(top);
    horizontal->setValue(left);
}

bool CompositionBox::holds(const QString &candidate) const
{
    return candidate.size() == textLength() && candidate == text();
}

bool CompositionBox::replaceAll(const QString &newText)
{
    const QString normalised = LineBreaks::toCrLf(newText);
    if (holds(normalised))
        return false;
    replaceByNormalised(normalised);
    return true;
}

void CompositionBox::replaceWhole(const QString &newText)
{
    replaceByNormalised(LineBreaks::toCrLf(newText));
}

void CompositionBox::replaceByNormalised(const QString &normalised)
{
    if (CappedTextEdit::unitsOf(normalised) > kCapacity)
        throw tooLong();
    QTextCursor cursor(m_edit->document());
    withoutUndo(m_edit, [&] {
        // One edit block, so that the change notification fires once.
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(LineBreaks::toSingleBreaks(normalised));
        cursor.endEditBlock();
    });
    m_edit->setTextCursor(cursor);
}
