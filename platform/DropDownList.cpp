#include "platform/DropDownList.h"

#include "platform/Fonts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

// Rows that hold every glyph of the list's font whole. The text stands in the middle of its
// row, so the row grows by the larger overhang on either side.
class WholeGlyphsDelegate final : public QStyledItemDelegate
{
public:
    explicit WholeGlyphsDelegate(QObject *parent)
        : QStyledItemDelegate(parent)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        // A row without text is as high as the others: one of them sizes all the rows.
        if (item.text.isEmpty()) {
            item.text = QStringLiteral(" ");
            item.features |= QStyleOptionViewItem::HasDisplay;
        }
        const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), item.widget);
        const Fonts::Overhang overhang = Fonts::overhang(item.font);
        size.rheight() += 2 * int(std::ceil(qMax(overhang.above, overhang.below)));
        return size;
    }
};

// On getting the focus, a view without a current row makes its first row current; the
// opened list takes the focus, so a list with no entry selected would offer the first one.
class NoFirstRowFilter final : public QObject
{
public:
    explicit NoFirstRowFilter(QComboBox *list)
        : QObject(list)
        , m_list(list)
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && m_list->currentIndex() < 0)
            m_list->view()->setCurrentIndex(QModelIndex());
        return false;
    }

private:
    QComboBox *m_list;
};

// What the text field shows and where its cursor stands, put back after the list has
// changed it.
class KeptField final
{
public:
    explicit KeptField(QLineEdit *field)
        : m_field(field)
        , m_text(field->text())
        , m_cursor(field->cursorPosition())
    {
    }

    void restore() const
    {
        if (m_field->text() == m_text)
            return;
        m_field->setText(m_text);
        m_field->setCursorPosition(m_cursor);
    }

private:
    QLineEdit *m_field;
    QString m_text;
    int m_cursor;
};

// Qt opens no drop-down for a list without entries; here it opens one empty row, as for
// a list of one entry. While it is open the list holds a row without text that cannot be
// picked; the text field keeps what it held.
class EmptyListOpener final : public QObject
{
public:
    explicit EmptyListOpener(QComboBox *list)
        : QObject(list)
        , m_list(list)
        , m_popup(list->view()->window())
    {
        list->installEventFilter(this);
        m_popup->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_list && opensTheList(event) && m_list->count() == 0)
            addEmptyRow();
        else if (watched == m_popup && event->type() == QEvent::Hide && m_emptyRow)
            removeEmptyRow();
        return false;
    }

private:
    // The events on which QComboBox opens its drop-down.
    bool opensTheList(QEvent *event) const
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool alt = key->modifiers() & Qt::AltModifier;
            return (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier)
                || ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && alt);
        }
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        QStyleOptionComboBox option;
        option.initFrom(m_list);
        option.editable = m_list->isEditable();
        option.frame = m_list->hasFrame();
        option.subControls = QStyle::SC_All;
        const QStyle::SubControl hit = m_list->style()->hitTestComplexControl(
            QStyle::CC_ComboBox, &option, mouse->position().toPoint(), m_list);
        return hit == QStyle::SC_ComboBoxArrow || !m_list->isEditable();
    }

    void addEmptyRow()
    {
        if (!m_list->lineEdit())
            return;
        const KeptField kept(m_list->lineEdit());
        // A model of the list's own, whatever model without rows it had: the list deletes
        // the one it held before.
        auto *model = new QStandardItemModel(m_list);
        auto *row = new QStandardItem;
        row->setFlags(Qt::NoItemFlags);
        model->appendRow(row);
        m_list->setModel(model);
        // A new model's first row becomes the current entry.
        m_list->setCurrentIndex(-1);
        kept.restore();
        m_emptyRow = true;
    }

    void removeEmptyRow()
    {
        m_emptyRow = false;
        const KeptField kept(m_list->lineEdit());
        m_list->removeItem(0);
        kept.restore();
    }

    QComboBox *m_list;
    QWidget *m_popup;
    bool m_emptyRow = false;
};

} // namespace

namespace DropDownList {

void setUp(QComboBox *list)
{
    list->setCompleter(nullptr);
    // When editing ends, Qt's combo box selects and activates the entry whose text was
    // typed; here typed text never selects an entry.
    QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    list->view()->installEventFilter(new NoFirstRowFilter(list));
    list->setItemDelegate(new WholeGlyphsDelegate(list));
    new EmptyListOpener(list);
}

} // namespace DropDownList
