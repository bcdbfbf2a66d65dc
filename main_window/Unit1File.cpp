#include "main_window/CompositionFile.h"
#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "ui_Unit1.h"

void TForm1::bindFileHandlers()
{
    connectGuarded(ui->Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connectGuarded(ui->SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
}

void TForm1::Open1Click()
{
    if (!m_openDialog1.Execute())
        return;
    const CompositionFile::Contents file
        = CompositionFile::read(m_openDialog1.FileName(), CompositionBox::kCapacity);
    // All of the file is compared, what follows a NUL too, so a file holding a NUL replaces
    // the composition and notifies every time it is opened.
    if (file.whole && m_memo1.holds(*file.whole))
        return;
    m_memo1.replaceWhole(file.text);
}

void TForm1::SaveAs1Click()
{
    if (!m_saveDialog1.Execute())
        return;
    CompositionFile::write(m_saveDialog1.FileName(), m_memo1.text());
}
