#include "palette/Unit3.h"

#include "main_window/Composition.h"
#include "main_window/Unit1.h"
#include "palette/PaletteStacking.h"
#include "palette/SymbolTable.h"
#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "platform/TopLevelWindows.h"
#include "ui_Unit3.h"

#include <QPushButton>
#include <QTabBar>

QPointer<TForm3> Form3;

namespace {

// A form's SetFocus: an inactive window comes to the front, becomes active and gives the
// keyboard focus back to the control that had it last; an active one is left alone.
void focusForm(QWidget *form)
{
    if (form->isActiveWindow())
        return;
    form->raise();
    form->activateWindow();
}

} // namespace

TForm3::TForm3()
    : ui(std::make_unique<Ui::TForm3>())
{
    ui->setupUi(this);
    setUpWindow();
    createPages();
    bindFormClose(this, [this](TCloseAction &Action) { FormClose(Action); });
    TopLevelWindows::makeSecondary(this);
    PaletteStacking::manage(this, Form1);
}

TForm3::~TForm3() = default;

void TForm3::setUpWindow()
{
    // A title bar with a Close button only; a normal window type rather than a dialog, so
    // that window managers let the main window stack above a palette.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(327, 263);
    // Every palette opens at this place; move() places the frame.
    move(183, 202);
    setFont(Fonts::font(Fonts::Family::MsPGothic, 12));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void TForm3::createPages()
{
    const QFont buttonFont = Fonts::font(Fonts::Family::MsPGothic, 15);
    const QList<SymbolTable::Page> &pages = SymbolTable::pages();
    int number = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        const QList<QStringList> &rows = pages[p].rows;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            for (qsizetype c = 0; c < rows[r].size(); ++c) {
                auto *button = new QPushButton(rows[r][c], sheet);
                button->setObjectName(QStringLiteral("Button%1").arg(++number));
                button->setGeometry(int(8 + 24 * c), int(16 + 32 * r), 22, 22);
                button->setFont(buttonFont);
                button->setFocusPolicy(Qt::StrongFocus);
                connectGuarded(button, &QPushButton::clicked, this,
                               [button](TForm3 *form) { form->Button1Click(button); });
            }
        }
        ui->PageControl1->addTab(sheet, pages[p].tabCaption);
    }
    ui->PageControl1->setCurrentIndex(0);
    ui->PageControl1->tabBar()->setFocus();
}

void TForm3::Button1Click(QPushButton *Sender)
{
    Composition::TakeSnapshot(Form1->Memo1(), Form1->state());
    const QString piece = Sender->text();
    Composition::InsertAndPublish(Form1->Memo1(), Form1->state(), piece);
    focusForm(Form1);
}

void TForm3::FormClose(TCloseAction &Action)
{
    freeOnClose(Action);
}
