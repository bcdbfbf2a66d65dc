#include "about/UsageWindow.h"

#include "platform/CloseAction.h"
#include "platform/Fonts.h"
#include "platform/ModalDialog.h"
#include "platform/TopLevelWindows.h"
#include "ui_UsageWindow.h"

#include <QTextBlockFormat>
#include <QTextCursor>

UsageWindow::UsageWindow()
    : m_ui(std::make_unique<Ui::UsageWindow>())
{
    m_ui->setupUi(this);
    setUpWindow();
    setUpHelpText();
    onClose(this, freeOnClose);
}

UsageWindow::~UsageWindow() = default;

void UsageWindow::setUpWindow()
{
    TopLevelWindows::makeSecondary(this);
    ModalDialog::setUp(this, QSize(318, 369));

    // The grey is the window's own; the page keeps the usual button face.
    QPalette pagePalette = m_ui->usagePages->palette();
    pagePalette.setColor(QPalette::Window, pagePalette.color(QPalette::Button));
    m_ui->usagePages->setPalette(pagePalette);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
    setFont(Fonts::font(Fonts::Family::MsPGothic, 15));

    m_ui->title->setFont(Fonts::font(Fonts::Family::MsMincho, 24, true));
    QPalette maroon = m_ui->title->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    m_ui->title->setPalette(maroon);

    m_ui->usagePages->setFont(Fonts::font(Fonts::Family::MsPGothic, 13));
}

void UsageWindow::setUpHelpText()
{
    QTextEdit *helpText = m_ui->helpText;
    helpText->setFont(Fonts::font(Fonts::Family::MsMincho, 13, true));
    // The text is laid out for lines as high as the font's em, as the layout's fonts have
    // them; the fallback fonts space their lines wider, and twenty such lines would not
    // fit the box without scrolling.
    QTextBlockFormat pitch;
    pitch.setLineHeight(helpText->font().pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(helpText->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(pitch);
}
