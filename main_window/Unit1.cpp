#include "main_window/Unit1.h"

#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "platform/HintFilter.h"
#include "platform/InputMethod.h"
#include "platform/TypingLimit.h"
#include "platform/WindowPlacement.h"
#include "resources/Images.h"
#include "ui_Unit1.h"

#include <QLayout>

#include <utility>

TForm1 *Form1 = nullptr;

namespace {

void setUpColours(QWidget *form, Ui::TForm1 &ui)
{
    // The window, the panel, the tool bar and the status bar all have the button face.
    for (QWidget *part :
         {form, static_cast<QWidget *>(ui.Panel1), static_cast<QWidget *>(ui.ToolBar1),
          static_cast<QWidget *>(ui.StatusBar1)}) {
        part->setBackgroundRole(QPalette::Button);
        part->setAutoFillBackground(true);
    }
    // Held by the button face, a label would take the button-text colour.
    for (QLabel *label : {ui.Label1, ui.Label2, ui.StatusPanel0, ui.StatusPanel1, ui.StatusPanel2})
        label->setForegroundRole(QPalette::WindowText);
    QPalette teal = ui.Label1->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    ui.Label1->setPalette(teal);
}

// Every control without a font of its own has the window's.
void setUpFonts(QWidget *form, Ui::TForm1 &ui)
{
    using Fonts::Family;
    form->setFont(Fonts::font(Family::MsPGothic, 12));
    ui.Memo1->setFont(Fonts::font(Family::MsPGothic, 16));
    ui.Edit2->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.ComboBox1->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.ComboBox2->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.Label1->setFont(Fonts::font(Family::MsMincho, 15));
    ui.Label2->setFont(Fonts::font(Family::MsMincho, 15, true));
}

void setUpImages(Ui::TForm1 &ui)
{
    // The image of ImageList1 that each tool button shows.
    const std::pair<QToolButton *, int> images[] = {
        {ui.ToolButton1, 0}, {ui.ToolButton5, 2},  {ui.ToolButton3, 1},
        {ui.ToolButton8, 3}, {ui.ToolButton12, 4}, {ui.ToolButton14, 5},
    };
    for (const auto &[button, index] : images)
        button->setIcon(Images::imageList1(index));
    ui.BitBtn1->setIcon(Images::copyGlyph());
}

} // namespace

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
    setWindowIcon(Images::programIcon());
    WindowPlacement::centreOnFirstShow(this);
    setUpColours(this, *ui);
    setUpFonts(this, *ui);
    ui->ToolBar1->setContentsMargins(3, 3, 3, 3);
    setUpImages(*ui);
    for (QComboBox *list : {ui->ComboBox1, ui->ComboBox2}) {
        // The typed text is never added to the list nor completed from it.
        list->setCompleter(nullptr);
        TypingLimit::limitBytes(list->lineEdit(), 255);
    }
    InputMethod::openOnFocusIn(ui->Memo1);
    InputMethod::openOnFocusIn(ui->Edit2);

    HintFilter::install();
    HintFilter::setShowHint(this, false);
    HintFilter::setShowHint(ui->ToolBar1, true);
    HintFilter::setShowHint(ui->BitBtn1, true);

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
