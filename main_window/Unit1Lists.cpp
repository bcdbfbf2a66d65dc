#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

void TForm1::bindListHandlers()
{
    connectGuarded(ui->ToolButton3, &QToolButton::clicked, this, &TForm1::ToolButton3Click);
    connectGuarded(ui->ToolButton14, &QToolButton::clicked, this, &TForm1::ToolButton14Click);
}

void TForm1::loadLists()
{
    // Reads the phrase and kaomoji list files (lists issue).
}

void TForm1::ToolButton3Click()
{
    // Inserts the selected kaomoji (lists issue).
}

void TForm1::ToolButton14Click()
{
    // Inserts the selected phrase and shows it as the list's hint (lists issue).
}
