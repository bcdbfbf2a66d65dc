#include "platform/TickCounter.h"

#include <chrono>

namespace {

std::function<qint64()> &source()
{
    static std::function<qint64()> current;
    return current;
}

} // namespace

namespace TickCounter {

qint64 milliseconds()
{
    if (source())
        return source()();
    // steady_clock is CLOCK_MONOTONIC here: time since boot, like the old tick counter.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

void setSource(std::function<qint64()> newSource)
{
    source() = std::move(newSource);
}

} // namespace TickCounter
