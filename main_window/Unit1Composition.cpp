#include "main_window/Composition.h"
#include "main_window/Unit1.h"
#include "ui_Unit1.h"

#include <QKeyEvent>

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
