#include "platform/DropDownList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace {

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

} // namespace

namespace DropDownList {

void setUp(QComboBox *list)
{
    list->setCompleter(nullptr);
    // When editing ends, Qt's combo box selects and activates the entry whose text was
    // typed; here typed text never selects an entry.
    QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    list->view()->installEventFilter(new NoFirstRowFilter(list));
}

} // namespace DropDownList
