#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
#include "ui_Unit1.h"

void TForm1::bindMeterHandlers()
{
    KeyDownHook::install(ui->Memo1, [this](QKeyEvent *key) { Memo1KeyDown(key); });
    connectGuarded(ui->Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    connectGuarded(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1.start();
}

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
