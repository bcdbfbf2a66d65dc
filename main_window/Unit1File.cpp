#include "main_window/Unit1.h"

void TForm1::Open1Click()
{
    // Replaces the composition by a text file's contents (file issue).
}

void TForm1::SaveAs1Click()
{
    // Writes the composition to a text file (file issue).
}
