#include "about/SupportHomePage.h"
#include "about/Unit2.h"
#include "about/Unit4.h"
#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "platform/ModalDialog.h"
#include "platform/Shell.h"
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
    Form4 = new TForm4;
    ModalDialog::exec(Form4);
}

void TForm1::HP1Click()
{
    Shell::open(QString::fromLatin1(kSupportHomePage));
}

void TForm1::V1Click()
{
    Form2 = new TForm2;
    ModalDialog::exec(Form2);
}
