#pragma once

#include <QPlainTextEdit>
#include <QStringView>

#include <limits>

// A plain-text box whose text has a capacity, counted as the program counts text: UTF-16
// code units with CR LF between lines. Typing, an input method, pasting and dropping that
// would take the text past it are refused whole; the program checks its own edits with
// fits().
class CappedTextEdit final : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CappedTextEdit(QWidget *parent = nullptr);

    void setCapacity(qsizetype capacity) { m_capacity = capacity; }

    // The units text takes in the box: every line break in it, a CR LF, a lone CR, a lone
    // LF or a separator the box keeps between its lines, counts as CR LF.
    static qsizetype unitsOf(QStringView text);
    // The length of the text, CR LF between lines.
    qsizetype textLength() const;
    // Whether the text stays within the capacity once piece replaces the selection.
    bool fits(QStringView piece) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    qsizetype m_capacity = std::numeric_limits<qsizetype>::max();
};
