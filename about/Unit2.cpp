#include "about/Unit2.h"

#include "about/SupportHomePage.h"
#include "platform/ClickHook.h"
#include "platform/Fonts.h"
#include "platform/ModalDialog.h"
#include "platform/Shell.h"
#include "platform/TopLevelWindows.h"
#include "ui_Unit2.h"

QPointer<TForm2> Form2;

namespace {

// Labels take the width of their text and keep the height of the layout.
void sizeToText(QLabel *label)
{
    label->resize(label->sizeHint().width(), label->height());
}

// Read-only fields that read as lines of text on the window.
void showAsText(QLineEdit *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field->setPalette(palette);
}

} // namespace

TForm2::TForm2()
    : ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);
    setUpWindow();
    bindFormClose(this, [this](TCloseAction &Action) { FormClose(Action); });
    ClickHook::install(ui->Edit1, [this] { Edit1Click(); });
}

TForm2::~TForm2() = default;

void TForm2::setUpWindow()
{
    TopLevelWindows::makeSecondary(this);
    ModalDialog::setUp(this, QSize(289, 122));

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setFont(Fonts::font(Fonts::Family::MsPGothic, 12));

    ui->Label1->setFont(Fonts::font(Fonts::Family::TimesNewRoman, 24, true));
    ui->Label2->setFont(Fonts::font(Fonts::Family::TimesNewRoman, 15, true));
    for (QLabel *label : {ui->Label1, ui->Label2}) {
        QPalette black = label->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black);
    }
    sizeToText(ui->Label1);
    sizeToText(ui->Label3);
    sizeToText(ui->Label4);

    ui->Edit1->setText(QString::fromLatin1(kSupportHomePage));
    ui->Edit1->setFont(Fonts::font(Fonts::Family::MsMincho, 13));
    ui->Edit2->setFont(Fonts::font(Fonts::Family::MsMincho, 12));
    showAsText(ui->Edit1);
    showAsText(ui->Edit2);
}

void TForm2::FormClose(TCloseAction &Action)
{
    freeOnClose(Action);
}

void TForm2::Edit1Click()
{
    Shell::open(ui->Edit1->text());
}
