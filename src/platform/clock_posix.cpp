// The real clock on POSIX systems: a monotonic clock that does not jump with the wall clock.
#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace kestrova::platform {

void RealClock::SleepMs(uint32_t ms) {
    timespec remaining{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    // A signal cuts nanosleep short; the caller asked for the whole settle time.
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

uint64_t RealClock::NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

}  // namespace kestrova::platform
