#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The typing meter and the clock, apart from any window. Readings of the tick counter come
// in as milliseconds.
class TypingMeter final
{
public:
    // What one tick puts on show. The key rates change only in a second with key presses;
    // the clock changes on every tick.
    struct Display
    {
        std::optional<QString> perSecond;
        std::optional<QString> perMinute;
        QString clock;
    };

    // Whole seconds of a tick-counter reading, truncated toward zero.
    static qint64 wholeSeconds(qint64 milliseconds);

    // The character count panel's text for a composition of length UTF-16 code units.
    static QString characterCountText(qsizetype length);

    // Keys pressed before the start still count in the first tick.
    void start(qint64 milliseconds);
    void keyDown();
    // One tick of the one-second timer. A late tick counts everything since the last one as
    // its one second; the clock still shows the true elapsed time.
    Display tick(qint64 milliseconds);

    // Key-downs since the last tick that found any.
    int keyCount() const { return m_keyCount; }
    // Seconds with key presses counted so far in the current per-minute window, and the
    // key presses summed over them.
    int sampleCount() const { return m_sampleCount; }
    int sampleTotal() const { return m_sampleTotal; }
    qint64 startSeconds() const { return m_startSeconds; }
    // Seconds since the start, as the clock last showed them.
    qint64 elapsedSeconds() const { return m_elapsedSeconds; }

private:
    int m_keyCount = 0;
    int m_sampleCount = 0;
    int m_sampleTotal = 0;
    qint64 m_startSeconds = 0;
    qint64 m_elapsedSeconds = 0;
};
