#pragma once

#include "platform/CloseAction.h"

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class TForm4;
}

// The usage window: a short fixed help text. A new one is made for each showing and frees
// itself when closed.
class TForm4 final : public QDialog
{
    Q_OBJECT

public:
    TForm4();
    ~TForm4() override;

    Ui::TForm4 &controls() { return *ui; }

    void FormClose(TCloseAction &Action);

private:
    void setUpWindow();
    void setUpHelpText();

    std::unique_ptr<Ui::TForm4> ui;
};

// The usage window made last; only the command that made it shows it.
extern QPointer<TForm4> Form4;
