#include "main_window/ClockFormat.h"

namespace {

QString field(qint64 value)
{
    // Through the unsigned magnitude, so that the most negative value has one too.
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude).rightJustified(2, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace

namespace ClockFormat {

QString format(qint64 elapsedSeconds)
{
    // Division truncates toward zero and the remainder takes the dividend's sign, so a
    // negative time shows a minus sign in every field that is not zero.
    return field(elapsedSeconds / 3600) + QLatin1Char(':') + field(elapsedSeconds / 60 % 60)
        + QLatin1Char(':') + field(elapsedSeconds % 60);
}

} // namespace ClockFormat
