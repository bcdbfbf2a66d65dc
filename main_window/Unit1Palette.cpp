#include "main_window/Unit1.h"
#include "palette/Unit3.h"

void TForm1::ToolButton8Click()
{
    Form3 = new TForm3;
    Form3->show();
    Form3->activateWindow();
}
