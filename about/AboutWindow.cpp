#include "about/AboutWindow.h"

#include "about/SupportHomePage.h"
#include "platform/ClickHook.h"
#include "platform/CloseAction.h"
#include "platform/Fonts.h"
#include "platform/HintFilter.h"
#include "platform/ModalDialog.h"
#include "platform/Shell.h"
#include "platform/TopLevelWindows.h"
#include "ui_AboutWindow.h"

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

AboutWindow::AboutWindow()
    : m_ui(std::make_unique<Ui::AboutWindow>())
{
    m_ui->setupUi(this);
    setUpWindow();
    onClose(this, freeOnClose);
    ClickHook::install(m_ui->supportAddress, [this] { openSupportPage(); });
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::setUpWindow()
{
    TopLevelWindows::makeSecondary(this);
    ModalDialog::setUp(this, QSize(289, 122));

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setFont(Fonts::font(Fonts::Family::MsPGothic, 12));

    m_ui->productName->setFont(Fonts::font(Fonts::Family::TimesNewRoman, 24, true));
    m_ui->version->setFont(Fonts::font(Fonts::Family::TimesNewRoman, 15, true));
    for (QLabel *label : {m_ui->productName, m_ui->version}) {
        QPalette black = label->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black);
    }
    sizeToText(m_ui->productName);
    sizeToText(m_ui->freewareNotice);
    sizeToText(m_ui->notice);

    m_ui->supportAddress->setText(QString::fromLatin1(kSupportHomePage));
    m_ui->supportAddress->setFont(Fonts::font(Fonts::Family::MsMincho, 13));
    m_ui->contactAddress->setFont(Fonts::font(Fonts::Family::MsMincho, 12));
    showAsText(m_ui->supportAddress);
    showAsText(m_ui->contactAddress);

    // Only the address shows its hint, by the rules of every window of the program.
    HintFilter::install();
    HintFilter::setShowHint(m_ui->supportAddress, true);
}

void AboutWindow::openSupportPage()
{
    Shell::open(m_ui->supportAddress->text());
}
