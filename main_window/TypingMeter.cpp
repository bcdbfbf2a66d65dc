#include "main_window/TypingMeter.h"

#include "main_window/ClockFormat.h"

namespace {

// Seconds with key presses that make one per-minute window; the next active second
// publishes the window's sum scaled to a minute and does not add its own presses.
constexpr int kSamplesPerWindow = 4;
constexpr int kWindowToMinute = 60 / kSamplesPerWindow;

} // namespace

qint64 TypingMeter::wholeSeconds(qint64 milliseconds)
{
    return milliseconds / 1000;
}

QString TypingMeter::characterCountText(qsizetype length)
{
    return QString::number(length) + QStringLiteral("文字");
}

void TypingMeter::start(qint64 milliseconds)
{
    m_startSeconds = wholeSeconds(milliseconds);
    m_sampleCount = 0;
    m_sampleTotal = 0;
}

void TypingMeter::keyDown()
{
    ++m_keyCount;
}

TypingMeter::Display TypingMeter::tick(qint64 milliseconds)
{
    Display shown;
    if (m_keyCount > 0) {
        shown.perSecond = QString::number(m_keyCount) + QStringLiteral("／秒");
        ++m_sampleCount;
        if (m_sampleCount > kSamplesPerWindow) {
            const qint64 perMinute = qint64(m_sampleTotal) * kWindowToMinute;
            shown.perMinute = QString::number(perMinute) + QStringLiteral("／分");
            m_sampleCount = 0;
            m_sampleTotal = 0;
        } else {
            m_sampleTotal += m_keyCount;
        }
        m_keyCount = 0;
    }
    m_elapsedSeconds = wholeSeconds(milliseconds) - m_startSeconds;
    shown.clock = ClockFormat::format(m_elapsedSeconds);
    return shown;
}
