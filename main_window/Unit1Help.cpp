#include "main_window/Unit1.h"

void TForm1::Contents1Click()
{
    // Opens the usage window (About issue).
}

void TForm1::HP1Click()
{
    // Opens the support home page (About issue).
}

void TForm1::V1Click()
{
    // Opens the About window (About issue).
}
