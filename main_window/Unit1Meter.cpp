#include "main_window/Unit1.h"

void TForm1::startMeter()
{
    // Starts the typing meter from the tick counter (meter issue).
}

void TForm1::Memo1KeyDown(QKeyEvent *)
{
    // Counts the key press (meter issue).
}

void TForm1::Memo1Change()
{
    // Shows the character count in the status bar (meter issue).
}

void TForm1::Timer1Timer()
{
    // Updates the key rates and the clock (meter issue).
}
