#pragma once

#include <QtGlobal>

#include <functional>

// Milliseconds since the system started, from a monotonic 64-bit clock so that it never
// wraps or goes backwards during a run. Tests put a fake source in its place.
namespace TickCounter {

qint64 milliseconds();

// An empty function restores the system clock.
void setSource(std::function<qint64()> source);

} // namespace TickCounter
