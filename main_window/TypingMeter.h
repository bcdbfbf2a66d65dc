#pragma once

#include "main_window/ProgramState.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The typing meter and the clock over the program-wide counters, apart from any window.
// Readings of the tick counter come in as milliseconds.
namespace TypingMeter {

// What one tick puts on show. The key rates change only in a second with key presses;
// the clock changes on every tick.
struct Display
{
    std::optional<QString> perSecond;
    std::optional<QString> perMinute;
    QString clock;
};

// Whole seconds of a tick-counter reading, truncated toward zero.
qint64 wholeSeconds(qint64 milliseconds);

// Keys pressed before the start still count in the first tick.
void start(ProgramState &state, qint64 milliseconds);
void keyDown(ProgramState &state);
// One tick of the one-second timer. A late tick counts everything since the last one as
// its one second; the clock still shows the true elapsed time.
Display tick(ProgramState &state, qint64 milliseconds);

// The character count panel's text for a composition of length UTF-16 code units.
QString characterCount(qsizetype length);

} // namespace TypingMeter
