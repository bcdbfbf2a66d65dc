#pragma once

#include <QString>
#include <QtGlobal>

namespace ClockFormat {

// "hh:mm:ss" of an elapsed time: each field at least two digits, never cut, so the hours
// grow past 99; a negative field keeps its minus sign in front of its padded digits.
QString format(qint64 elapsedSeconds);

} // namespace ClockFormat
