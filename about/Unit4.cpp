#include "about/Unit4.h"

#include "platform/Fonts.h"
#include "platform/ModalDialog.h"
#include "platform/TopLevelWindows.h"
#include "ui_Unit4.h"

#include <QTextBlockFormat>
#include <QTextCursor>

QPointer<TForm4> Form4;

TForm4::TForm4()
    : ui(std::make_unique<Ui::TForm4>())
{
    ui->setupUi(this);
    setUpWindow();
    setUpHelpText();
    bindFormClose(this, [this](TCloseAction &Action) { FormClose(Action); });
}

TForm4::~TForm4() = default;

void TForm4::setUpWindow()
{
    TopLevelWindows::makeSecondary(this);
    ModalDialog::setUp(this, QSize(318, 369));

    // The grey is the window's own; the page keeps the usual button face.
    QPalette pagePalette = ui->PageControl1->palette();
    pagePalette.setColor(QPalette::Window, pagePalette.color(QPalette::Button));
    ui->PageControl1->setPalette(pagePalette);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
    setFont(Fonts::font(Fonts::Family::MsPGothic, 15));

    ui->Label1->setFont(Fonts::font(Fonts::Family::MsMincho, 24, true));
    QPalette maroon = ui->Label1->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    ui->Label1->setPalette(maroon);

    ui->PageControl1->setFont(Fonts::font(Fonts::Family::MsPGothic, 13));
}

void TForm4::setUpHelpText()
{
    QTextEdit *memo = ui->Memo1;
    memo->setFont(Fonts::font(Fonts::Family::MsMincho, 13, true));
    // The text is laid out for lines as high as the font's em, as the layout's fonts have
    // them; the fallback fonts space their lines wider, and twenty such lines would not
    // fit the box without scrolling.
    QTextBlockFormat pitch;
    pitch.setLineHeight(memo->font().pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(pitch);
}

void TForm4::FormClose(TCloseAction &Action)
{
    freeOnClose(Action);
}
