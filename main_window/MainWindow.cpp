#include "main_window/MainWindow.h"

#include "main_window/AccessibleNames.h"
#include "platform/DropDownList.h"
#include "platform/Fonts.h"
#include "platform/HandlerGuard.h"
#include "platform/HintFilter.h"
#include "platform/InputMethod.h"
#include "platform/SmallTextBox.h"
#include "platform/TypingLimit.h"
#include "platform/WindowPlacement.h"
#include "resources/Images.h"
#include "ui_MainWindow.h"

#include <QLayout>
#include <QMenuBar>

#include <utility>

namespace {

void setUpColours(QWidget *window, Ui::MainWindow &ui)
{
    // The window, the panel, the tool bar and the status bar all have the button face.
    for (QWidget *part :
         {window, static_cast<QWidget *>(ui.toolPanel), static_cast<QWidget *>(ui.toolBar),
          static_cast<QWidget *>(ui.statusBar)}) {
        part->setBackgroundRole(QPalette::Button);
        part->setAutoFillBackground(true);
    }
    // Held by the button face, a label would take the button-text colour.
    for (QLabel *label : {ui.compositionCaption, ui.clockLabel, ui.characterCount, ui.keysPerSecond,
                          ui.keysPerMinute})
        label->setForegroundRole(QPalette::WindowText);
    QPalette teal = ui.compositionCaption->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    ui.compositionCaption->setPalette(teal);
}

// Every control without a font of its own has the window's.
void setUpFonts(QWidget *window, Ui::MainWindow &ui)
{
    using Fonts::Family;
    window->setFont(Fonts::font(Family::MsPGothic, 12));
    ui.compositionBox->setFont(Fonts::font(Family::MsPGothic, 16));
    ui.textLine->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.kaomojiList->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.phraseList->setFont(Fonts::font(Family::MsPGothic, 15));
    ui.compositionCaption->setFont(Fonts::font(Family::MsMincho, 15));
    ui.clockLabel->setFont(Fonts::font(Family::MsMincho, 15, true));
}

void setUpImages(Ui::MainWindow &ui)
{
    // The tool image that each tool button shows.
    const std::pair<QToolButton *, int> images[] = {
        {ui.clearButton, 0},   {ui.undoButton, 2},       {ui.kaomojiButton, 1},
        {ui.paletteButton, 3}, {ui.insertTextButton, 4}, {ui.phraseButton, 5},
    };
    for (const auto &[button, index] : images)
        button->setIcon(Images::toolImage(index));
    ui.copyButton->setIcon(Images::copyGlyph());
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::MainWindow>())
    // The box operations need the controls, so the layout is built first.
    , m_composition((m_ui->setupUi(this), m_ui->compositionBox))
    , m_phraseSource(m_ui->phraseList, QStringLiteral("morvela1.txt"), this)
    , m_kaomojiSource(m_ui->kaomojiList, QStringLiteral("kao1.txt"), this)
{
    setUpWindow();
    bindCompositionCommands();
    bindListCommands();
    bindMeter();
    bindFileCommands();
    bindPaletteCommands();
    bindHelpCommands();
    // A failing step is reported and start-up goes on: a bad list file must not cost the
    // other list nor the meter.
    runGuarded([this] { loadLists(); });
    runGuarded([this] { startMeter(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    centralWidget()->setFixedSize(316, 211);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowIcon(Images::programIcon());
    // A desktop's global menu would take the menu out of the small window beside the chat.
    menuBar()->setNativeMenuBar(false);
    WindowPlacement::centreOnFirstShow(this);
    setUpColours(this, *m_ui);
    setUpFonts(this, *m_ui);
    SmallTextBox::showWholeLines(m_ui->compositionBox, 3);
    SmallTextBox::keepThumbMovable(m_ui->compositionBox);
    m_ui->toolBar->setContentsMargins(3, 3, 3, 3);
    setUpImages(*m_ui);
    AccessibleNames::give(*m_ui);
    for (QComboBox *list : {m_ui->kaomojiList, m_ui->phraseList}) {
        DropDownList::setUp(list);
        TypingLimit::limitBytes(list->lineEdit(), 255);
    }
    InputMethod::openOnFocusIn(m_ui->compositionBox);
    InputMethod::openOnFocusIn(m_ui->textLine);

    HintFilter::install();
    HintFilter::setShowHint(this, false);
    HintFilter::setShowHint(m_ui->toolBar, true);
    HintFilter::setShowHint(m_ui->copyButton, true);

    m_clockTimer.setInterval(1000);
    m_ui->compositionBox->setFocus();
}
