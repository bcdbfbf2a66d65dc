#include "main_window/MainWindow.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
#include "ui_MainWindow.h"

#include <QKeyEvent>

void MainWindow::bindCompositionCommands()
{
    connectGuarded(m_ui->insertTextButton, &QToolButton::clicked, this,
                   &MainWindow::insertTextLine);
    KeyDownHook::install(m_ui->textLine, [this](QKeyEvent *key) { textLineKeyDown(key); });
    connectGuarded(m_ui->copyButton, &QPushButton::clicked, this, &MainWindow::copyComposition);
    // With the focus, Enter clicks the copy button as Space does; outside a dialog only an
    // auto-default button takes Enter.
    m_ui->copyButton->setAutoDefault(true);
    connectGuarded(m_ui->clearButton, &QToolButton::clicked, this, &MainWindow::clearComposition);
    connectGuarded(m_ui->clearAction, &QAction::triggered, this, &MainWindow::clearComposition);
    connectGuarded(m_ui->undoButton, &QToolButton::clicked, this, &MainWindow::undo);
    connectGuarded(m_ui->undoAction, &QAction::triggered, this, &MainWindow::undo);
    // The Enter filter goes in first so that the key-down hook, run before it, sees Enter.
    KeyDownHook::blockPlainEnter(m_ui->compositionBox);
    connectGuarded(m_ui->exitAction, &QAction::triggered, this, &MainWindow::exit);
}

void MainWindow::insertTextLine()
{
    m_composition.takeSnapshotAndInsert(m_ui->textLine->text());
}

void MainWindow::textLineKeyDown(QKeyEvent *key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return;
    m_composition.box().replaceSelection(m_ui->textLine->text());
    m_ui->textLine->clear();
    m_composition.publish();
}

void MainWindow::copyComposition()
{
    m_composition.publish();
}

void MainWindow::clearComposition()
{
    CompositionBox &box = m_composition.box();
    box.selectAll();
    box.replaceSelection(QString());
}

void MainWindow::undo()
{
    m_composition.restoreSnapshot();
}

void MainWindow::exit()
{
    close();
}
