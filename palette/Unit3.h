#pragma once

#include "platform/CloseAction.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QPushButton;

namespace Ui {
class TForm3;
}

// The symbol palette: three pages of symbol buttons; a click puts the symbol into the main
// window's composition, publishes it and hands the focus back to the main window. Any
// number may be open at once; each frees itself when closed.
class TForm3 final : public QWidget
{
    Q_OBJECT

public:
    TForm3();
    ~TForm3() override;

    Ui::TForm3 &controls() { return *ui; }

    void Button1Click(QPushButton *Sender);
    void FormClose(TCloseAction &Action);

private:
    void setUpWindow();
    void createPages();

    std::unique_ptr<Ui::TForm3> ui;
};

// The palette opened last; nothing reads it.
extern QPointer<TForm3> Form3;
