#include "main_window/MainWindow.h"
#include "platform/AppError.h"
#include "platform/HandlerGuard.h"
#include "platform/Shell.h"
#include "ui_MainWindow.h"

#include <QLineEdit>

namespace {

// The list's change as the user makes it: a pick from the drop-down (or with the arrow
// keys or the wheel), after the text field has taken the entry, and every edit in the
// text field. What the program changes in the list runs nothing.
template<typename Handler>
void connectListChange(QComboBox *list, MainWindow *window, Handler handler)
{
    connectGuarded(list, &QComboBox::activated, window, handler);
    connectGuarded(list->lineEdit(), &QLineEdit::textEdited, window, handler);
}

void openForEditing(ListSource &source)
{
    const QString path = source.fileToEdit();
    if (!Shell::openFile(path))
        throw AppError(QStringLiteral("ﾌｧｲﾙ %1 を開くﾌﾟﾛｸﾞﾗﾑが見つかりません").arg(path));
}

} // namespace

void MainWindow::bindListCommands()
{
    connectGuarded(m_ui->kaomojiButton, &QToolButton::clicked, this, &MainWindow::insertKaomoji);
    connectListChange(m_ui->kaomojiList, this, &MainWindow::insertKaomoji);
    connectGuarded(m_ui->phraseButton, &QToolButton::clicked, this, &MainWindow::insertPhrase);
    connectListChange(m_ui->phraseList, this, &MainWindow::insertPhrase);
    connectGuarded(m_ui->phraseListAction, &QAction::triggered, this, &MainWindow::editPhraseList);
    connectGuarded(m_ui->kaomojiListAction, &QAction::triggered, this,
                   &MainWindow::editKaomojiList);
}

void MainWindow::loadLists()
{
    // Each list on its own: a bad phrase file still lets the kaomoji load.
    runGuarded([this] { m_phraseSource.load(); });
    runGuarded([this] { m_kaomojiSource.load(); });
}

void MainWindow::insertKaomoji()
{
    QComboBox *list = m_ui->kaomojiList;
    m_composition.insertAndPublish(list->itemText(list->currentIndex()));
}

void MainWindow::insertPhrase()
{
    QComboBox *list = m_ui->phraseList;
    list->setToolTip(list->itemText(list->currentIndex()));
    m_composition.insertAndPublish(list->itemText(list->currentIndex()));
}

void MainWindow::editPhraseList()
{
    openForEditing(m_phraseSource);
}

void MainWindow::editKaomojiList()
{
    openForEditing(m_kaomojiSource);
}
