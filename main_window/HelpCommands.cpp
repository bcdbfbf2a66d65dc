#include "about/AboutWindow.h"
#include "about/SupportHomePage.h"
#include "about/UsageWindow.h"
#include "main_window/MainWindow.h"
#include "platform/HandlerGuard.h"
#include "platform/ModalDialog.h"
#include "platform/Shell.h"
#include "ui_MainWindow.h"

void MainWindow::bindHelpCommands()
{
    connectGuarded(m_ui->usageAction, &QAction::triggered, this, &MainWindow::showUsage);
    connectGuarded(m_ui->supportPageAction, &QAction::triggered, this,
                   &MainWindow::openSupportPage);
    connectGuarded(m_ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::showUsage()
{
    ModalDialog::exec(new UsageWindow);
}

void MainWindow::openSupportPage()
{
    Shell::open(QString::fromLatin1(kSupportHomePage));
}

void MainWindow::showAbout()
{
    ModalDialog::exec(new AboutWindow);
}
