#include "main_window/CompositionFile.h"
#include "main_window/MainWindow.h"
#include "platform/HandlerGuard.h"
#include "ui_MainWindow.h"

void MainWindow::bindFileCommands()
{
    connectGuarded(m_ui->openAction, &QAction::triggered, this, &MainWindow::openFile);
    connectGuarded(m_ui->saveAsAction, &QAction::triggered, this, &MainWindow::saveFileAs);
}

void MainWindow::openFile()
{
    if (!m_openDialog.exec())
        return;
    const CompositionFile::Contents file
        = CompositionFile::read(m_openDialog.fileName(), CompositionBox::kCapacity);
    // All of the file is compared, what follows a NUL too, so a file holding a NUL replaces
    // the composition and notifies every time it is opened.
    if (file.whole && m_composition.box().holds(*file.whole))
        return;
    m_composition.box().replaceWhole(file.text);
}

void MainWindow::saveFileAs()
{
    if (!m_saveDialog.exec())
        return;
    CompositionFile::write(m_saveDialog.fileName(), m_composition.box().text());
}
