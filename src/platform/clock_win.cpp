// The real clock on Windows.
#include "platform/clock.h"

#include <windows.h>

namespace kestrova::platform {

void RealClock::SleepMs(uint32_t ms) {
    // INFINITE (0xFFFFFFFF) would never return; the longest finite sleep is one millisecond less.
    ::Sleep(ms == INFINITE ? INFINITE - 1 : ms);
}

uint64_t RealClock::NowMs() {
    return ::GetTickCount64();
}

}  // namespace kestrova::platform
