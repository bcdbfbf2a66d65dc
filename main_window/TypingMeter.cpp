#include "main_window/TypingMeter.h"

#include "main_window/ClockFormat.h"

namespace {

// Seconds with key presses that make one per-minute window; the next active second
// publishes the window's sum scaled to a minute and does not add its own presses.
constexpr int kSamplesPerWindow = 4;
constexpr int kWindowToMinute = 60 / kSamplesPerWindow;

} // namespace

namespace TypingMeter {

qint64 wholeSeconds(qint64 milliseconds)
{
    return milliseconds / 1000;
}

void start(ProgramState &state, qint64 milliseconds)
{
    state.StartSeconds = wholeSeconds(milliseconds);
    state.SampleCount = 0;
    state.SampleTotal = 0;
}

void keyDown(ProgramState &state)
{
    ++state.KeyCount;
}

Display tick(ProgramState &state, qint64 milliseconds)
{
    Display shown;
    if (state.KeyCount > 0) {
        shown.perSecond = QString::number(state.KeyCount) + QStringLiteral("／秒");
        ++state.SampleCount;
        if (state.SampleCount > kSamplesPerWindow) {
            const qint64 perMinute = qint64(state.SampleTotal) * kWindowToMinute;
            shown.perMinute = QString::number(perMinute) + QStringLiteral("／分");
            state.SampleCount = 0;
            state.SampleTotal = 0;
        } else {
            state.SampleTotal += state.KeyCount;
        }
        state.KeyCount = 0;
    }
    state.ElapsedSeconds = wholeSeconds(milliseconds) - state.StartSeconds;
    shown.clock = ClockFormat::format(state.ElapsedSeconds);
    return shown;
}

QString characterCount(qsizetype length)
{
    return QString::number(length) + QStringLiteral("文字");
}

} // namespace TypingMeter
