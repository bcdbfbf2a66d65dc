#include "main_window/Composition.h"
#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
#include "ui_Unit1.h"

#include <QKeyEvent>

void TForm1::bindCompositionHandlers()
{
    connectGuarded(ui->ToolButton12, &QToolButton::clicked, this, &TForm1::ToolButton12Click);
    KeyDownHook::install(ui->Edit2, [this](QKeyEvent *key) { Edit2KeyDown(key); });
    connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connectGuarded(ui->ToolButton1, &QToolButton::clicked, this, &TForm1::ToolButton1Click);
    connectGuarded(ui->N1, &QAction::triggered, this, &TForm1::ToolButton1Click);
    connectGuarded(ui->ToolButton5, &QToolButton::clicked, this, &TForm1::Repeat1Click);
    connectGuarded(ui->Repeat1, &QAction::triggered, this, &TForm1::Repeat1Click);
    // The Enter filter goes in first so that the key-down hook, run before it, sees Enter.
    KeyDownHook::blockPlainEnter(ui->Memo1);
    connectGuarded(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
}

void TForm1::ToolButton12Click()
{
    Composition::TakeSnapshot(m_memo1, m_state);
    Composition::InsertAndPublish(m_memo1, m_state, ui->Edit2->text());
}

void TForm1::Edit2KeyDown(QKeyEvent *Key)
{
    if (Key->key() != Qt::Key_Return && Key->key() != Qt::Key_Enter)
        return;
    m_memo1.replaceSelection(ui->Edit2->text());
    ui->Edit2->clear();
    Composition::Publish(m_memo1, m_state);
}

void TForm1::BitBtn1Click()
{
    Composition::Publish(m_memo1, m_state);
}

void TForm1::ToolButton1Click()
{
    m_memo1.selectAll();
    m_memo1.replaceSelection(QString());
}

void TForm1::Repeat1Click()
{
    m_memo1.replaceAll(m_state.UndoText);
}

void TForm1::Exit1Click()
{
    close();
}
