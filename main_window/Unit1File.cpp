#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

void TForm1::bindFileHandlers()
{
    connectGuarded(ui->Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connectGuarded(ui->SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
}

void TForm1::Open1Click()
{
    // Replaces the composition by a text file's contents (file issue).
}

void TForm1::SaveAs1Click()
{
    // Writes the composition to a text file (file issue).
}
