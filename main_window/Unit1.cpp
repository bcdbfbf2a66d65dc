#include "main_window/Unit1.h"

#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

#include <QLayout>

TForm1 *Form1 = nullptr;

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
    // The box operations need the controls, so the layout is built first.
    , m_memo1((ui->setupUi(this), ui->Memo1))
{
    Form1 = this;
    setUpWindow();
    bindCompositionHandlers();
    bindListHandlers();
    bindMeterHandlers();
    bindFileHandlers();
    bindWindowHandlers();
    runGuarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::setUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    centralWidget()->setFixedSize(316, 211);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setFont(Fonts::font(Fonts::Family::MsPGothic, 12));
    ui->Memo1->setFont(Fonts::font(Fonts::Family::MsPGothic, 16));
    ui->Edit2->setFont(Fonts::font(Fonts::Family::MsPGothic, 15));
    ui->ComboBox1->setFont(Fonts::font(Fonts::Family::MsPGothic, 15));
    ui->ComboBox2->setFont(Fonts::font(Fonts::Family::MsPGothic, 15));
    ui->Label1->setFont(Fonts::font(Fonts::Family::MsMincho, 15));
    ui->Label2->setFont(Fonts::font(Fonts::Family::MsMincho, 15, true));
    ui->ToolBar1->setContentsMargins(3, 3, 3, 3);

    Timer1.setInterval(1000);
    ui->Memo1->setFocus();
}

void TForm1::FormCreate()
{
    // A failing step is reported and start-up goes on: a bad list file must not cost the
    // other list nor the meter.
    runGuarded([this] { loadLists(); });
    runGuarded([this] { startMeter(); });
}

