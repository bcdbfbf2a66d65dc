#include "main_window/TypingMeter.h"
#include "main_window/Unit1.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
#include "platform/TickCounter.h"
#include "ui_Unit1.h"

#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>

namespace {

// Keys that an input method takes reach the box as input-method events, not as key
// presses. Each event that changes the pre-edit text or commits text is one key press,
// so that typing through an input method is measured like typing without one.
class InputMethodKeyFilter final : public QObject
{
public:
    InputMethodKeyFilter(QPlainTextEdit *box, std::function<void()> keyDown)
        : QObject(box)
        , m_box(box)
        , m_keyDown(std::move(keyDown))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::InputMethod
            && changesText(*static_cast<QInputMethodEvent *>(event)))
            runGuarded(m_keyDown);
        return false;
    }

private:
    bool changesText(const QInputMethodEvent &event) const
    {
        if (!event.commitString().isEmpty())
            return true;
        // The filter runs first: the box still holds the pre-edit text of the last event.
        const QTextLayout *layout = m_box->textCursor().block().layout();
        const QString shown = layout ? layout->preeditAreaText() : QString();
        return event.preeditString() != shown;
    }

    QPlainTextEdit *m_box;
    std::function<void()> m_keyDown;
};

} // namespace

void TForm1::bindMeterHandlers()
{
    KeyDownHook::install(ui->Memo1, [this](QKeyEvent *key) { Memo1KeyDown(key); });
    ui->Memo1->installEventFilter(
        new InputMethodKeyFilter(ui->Memo1, [this] { TypingMeter::keyDown(m_state); }));
    connectGuarded(ui->Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    connectGuarded(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1.start();
}

void TForm1::startMeter()
{
    TypingMeter::start(m_state, TickCounter::milliseconds());
}

void TForm1::Memo1KeyDown(QKeyEvent *)
{
    // Every key counts, whatever it is.
    TypingMeter::keyDown(m_state);
}

void TForm1::Memo1Change()
{
    ui->StatusPanel0->setText(TypingMeter::characterCount(m_memo1.textLength()));
}

void TForm1::Timer1Timer()
{
    const TypingMeter::Display shown = TypingMeter::tick(m_state, TickCounter::milliseconds());
    if (shown.perSecond)
        ui->StatusPanel1->setText(*shown.perSecond);
    if (shown.perMinute)
        ui->StatusPanel2->setText(*shown.perMinute);
    ui->Label2->setText(shown.clock);
}
