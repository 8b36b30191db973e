#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform
{
double MonotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SleepSeconds(double seconds)
{
    if (seconds > 0.0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
}
