#include "main_window/Unit1.h"

void TForm1::loadLists()
{
    // Reads the phrase and kaomoji list files (lists issue).
}

void TForm1::ToolButton3Click()
{
    // Inserts the selected kaomoji (lists issue).
}

void TForm1::ToolButton14Click()
{
    // Inserts the selected phrase and shows it as the list's hint (lists issue).
}
