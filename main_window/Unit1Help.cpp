#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

void TForm1::bindWindowHandlers()
{
    connectGuarded(ui->ToolButton8, &QToolButton::clicked, this, &TForm1::ToolButton8Click);
    connectGuarded(ui->Contents1, &QAction::triggered, this, &TForm1::Contents1Click);
    connectGuarded(ui->HP1, &QAction::triggered, this, &TForm1::HP1Click);
    connectGuarded(ui->V1, &QAction::triggered, this, &TForm1::V1Click);
}

void TForm1::Contents1Click()
{
    // Opens the usage window (About issue).
}

void TForm1::HP1Click()
{
    // Opens the support home page (About issue).
}

void TForm1::V1Click()
{
    // Opens the About window (About issue).
}
