#pragma once

#include "platform/CloseAction.h"

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class TForm2;
}

// The About window: product name, version, the support home page (a click opens it) and
// the contact address. A new one is made for each showing and frees itself when closed.
class TForm2 final : public QDialog
{
    Q_OBJECT

public:
    TForm2();
    ~TForm2() override;

    Ui::TForm2 &controls() { return *ui; }

    void FormClose(TCloseAction &Action);
    void Edit1Click();

private:
    void setUpWindow();

    std::unique_ptr<Ui::TForm2> ui;
};

// The About window made last; only the command that made it shows it.
extern QPointer<TForm2> Form2;
