#include "main_window/Unit1.h"

#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
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
    bindHandlers();
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

void TForm1::bindHandlers()
{
    connectGuarded(ui->ToolButton12, &QToolButton::clicked, this, &TForm1::ToolButton12Click);
    KeyDownHook::install(ui->Edit2, [this](QKeyEvent *key) { Edit2KeyDown(key); });
    connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connectGuarded(ui->ToolButton1, &QToolButton::clicked, this, &TForm1::ToolButton1Click);
    connectGuarded(ui->N1, &QAction::triggered, this, &TForm1::ToolButton1Click);
    connectGuarded(ui->ToolButton5, &QToolButton::clicked, this, &TForm1::Repeat1Click);
    connectGuarded(ui->Repeat1, &QAction::triggered, this, &TForm1::Repeat1Click);

    connectGuarded(ui->ToolButton3, &QToolButton::clicked, this, &TForm1::ToolButton3Click);
    connectGuarded(ui->ToolButton14, &QToolButton::clicked, this, &TForm1::ToolButton14Click);

    // The Enter filter goes in first so that the key-down hook, run before it, sees Enter.
    KeyDownHook::blockPlainEnter(ui->Memo1);
    KeyDownHook::install(ui->Memo1, [this](QKeyEvent *key) { Memo1KeyDown(key); });
    connectGuarded(ui->Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    connectGuarded(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1.start();

    connectGuarded(ui->Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connectGuarded(ui->SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connectGuarded(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);

    connectGuarded(ui->ToolButton8, &QToolButton::clicked, this, &TForm1::ToolButton8Click);
    connectGuarded(ui->Contents1, &QAction::triggered, this, &TForm1::Contents1Click);
    connectGuarded(ui->HP1, &QAction::triggered, this, &TForm1::HP1Click);
    connectGuarded(ui->V1, &QAction::triggered, this, &TForm1::V1Click);
}

void TForm1::FormCreate()
{
    loadLists();
    startMeter();
}

void TForm1::Exit1Click()
{
    close();
}
