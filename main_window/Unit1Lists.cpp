#include "main_window/Composition.h"
#include "main_window/ListLoading.h"
#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

#include <QLineEdit>

namespace {

// The list's change as the user makes it: a pick from the drop-down (or with the arrow
// keys or the wheel), after the text field has taken the entry, and every edit in the
// text field. What the program changes in the list runs nothing.
template<typename Handler>
void connectListChange(QComboBox *list, TForm1 *form, Handler handler)
{
    connectGuarded(list, &QComboBox::activated, form, handler);
    connectGuarded(list->lineEdit(), &QLineEdit::textEdited, form, handler);
}

} // namespace

void TForm1::bindListHandlers()
{
    connectGuarded(ui->ToolButton3, &QToolButton::clicked, this, &TForm1::ToolButton3Click);
    connectListChange(ui->ComboBox1, this, &TForm1::ToolButton3Click);
    connectGuarded(ui->ToolButton14, &QToolButton::clicked, this, &TForm1::ToolButton14Click);
    connectListChange(ui->ComboBox2, this, &TForm1::ToolButton14Click);
}

void TForm1::loadLists()
{
    // Each list on its own: a bad phrase file still lets the kaomoji load.
    runGuarded(
        [this] { ListLoading::load(*ui->ComboBox2, QStringLiteral("morvela1.txt"), m_state); });
    runGuarded([this] { ListLoading::load(*ui->ComboBox1, QStringLiteral("kao1.txt"), m_state); });
}

void TForm1::ToolButton3Click()
{
    QComboBox *list = ui->ComboBox1;
    Composition::InsertAndPublish(m_memo1, m_state, list->itemText(list->currentIndex()));
}

void TForm1::ToolButton14Click()
{
    QComboBox *list = ui->ComboBox2;
    list->setToolTip(list->itemText(list->currentIndex()));
    Composition::InsertAndPublish(m_memo1, m_state, list->itemText(list->currentIndex()));
}
