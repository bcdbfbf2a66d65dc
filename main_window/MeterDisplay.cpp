#include "main_window/MainWindow.h"
#include "main_window/TypingMeter.h"
#include "platform/HandlerGuard.h"
#include "platform/KeyDownHook.h"
#include "platform/TickCounter.h"
#include "ui_MainWindow.h"

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

void MainWindow::bindMeter()
{
    KeyDownHook::install(m_ui->compositionBox, [this](QKeyEvent *) { countKeyDown(); });
    m_ui->compositionBox->installEventFilter(
        new InputMethodKeyFilter(m_ui->compositionBox, [this] { countKeyDown(); }));
    connectGuarded(m_ui->compositionBox, &QPlainTextEdit::textChanged, this,
                   &MainWindow::updateCharacterCount);
    m_clockTimer.setParent(this);
    m_clockTimer.setObjectName(QStringLiteral("clockTimer"));
    connectGuarded(&m_clockTimer, &QTimer::timeout, this, &MainWindow::tick);
}

void MainWindow::startMeter()
{
    m_meter.start(TickCounter::milliseconds());
    // Only now: a tick while a start-up error is shown would put the uptime on the clock.
    m_clockTimer.start();
}

void MainWindow::countKeyDown()
{
    // Every key counts, whatever it is.
    m_meter.keyDown();
}

void MainWindow::updateCharacterCount()
{
    m_ui->characterCount->setText(
        TypingMeter::characterCountText(m_composition.box().textLength()));
}

void MainWindow::tick()
{
    const TypingMeter::Display shown = m_meter.tick(TickCounter::milliseconds());
    if (shown.perSecond)
        m_ui->keysPerSecond->setText(*shown.perSecond);
    if (shown.perMinute)
        m_ui->keysPerMinute->setText(*shown.perMinute);
    m_ui->clockLabel->setText(shown.clock);
}
