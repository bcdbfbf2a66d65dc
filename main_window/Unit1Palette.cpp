#include "main_window/Unit1.h"

void TForm1::ToolButton8Click()
{
    // Opens a new symbol palette (palette issue).
}
