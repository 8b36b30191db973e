#pragma once

namespace platform
{
// Seconds on a monotonic clock that never goes back; only differences mean anything.
double MonotonicSeconds();

// Gives the processor away for about this many seconds (no-op for zero or less).
void SleepSeconds(double seconds);
}
