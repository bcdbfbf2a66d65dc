#include "palette/SymbolPalette.h"

#include "palette/SymbolTable.h"
#include "platform/CloseAction.h"
#include "platform/Fonts.h"
#include "platform/TopLevelWindows.h"
#include "ui_SymbolPalette.h"

#include <QPushButton>
#include <QTabBar>

SymbolPalette::SymbolPalette()
    : m_ui(std::make_unique<Ui::SymbolPalette>())
{
    m_ui->setupUi(this);
    setUpWindow();
    createPages();
    onClose(this, freeOnClose);
    TopLevelWindows::makeSecondary(this);
}

SymbolPalette::~SymbolPalette() = default;

void SymbolPalette::setUpWindow()
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

void SymbolPalette::createPages()
{
    const QFont buttonFont = Fonts::font(Fonts::Family::MsPGothic, 15);
    const QList<SymbolTable::Page> &pages = SymbolTable::pages();
    int number = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("symbolPage%1").arg(p + 1));
        const QList<QStringList> &rows = pages[p].rows;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            for (qsizetype c = 0; c < rows[r].size(); ++c) {
                auto *button = new QPushButton(rows[r][c], page);
                button->setObjectName(QStringLiteral("symbolButton%1").arg(++number));
                button->setGeometry(int(8 + 24 * c), int(16 + 32 * r), 22, 22);
                button->setFont(buttonFont);
                button->setFocusPolicy(Qt::StrongFocus);
                connect(button, &QPushButton::clicked, this,
                        [this, button] { emit symbolChosen(button->text()); });
            }
        }
        m_ui->symbolPages->addTab(page, pages[p].tabCaption);
    }
    m_ui->symbolPages->setCurrentIndex(0);
    m_ui->symbolPages->tabBar()->setFocus();
}
