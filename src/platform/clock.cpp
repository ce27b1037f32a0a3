// The virtual clock and the process clock; the real clock lives in clock_win.cpp / clock_posix.cpp.
#include "platform/clock.h"

#include <atomic>
#include <cstdlib>
#include <numeric>
#include <string_view>

namespace kestrova::platform {

void VirtualClock::SleepMs(uint32_t ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    now_ += ms;
    sleeps_.push_back(ms);
}

uint64_t VirtualClock::NowMs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

uint64_t VirtualClock::TotalSleptMs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::accumulate(sleeps_.begin(), sleeps_.end(), uint64_t{0});
}

std::vector<uint32_t> VirtualClock::Sleeps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sleeps_;
}

// Forgets the recorded sleeps; NowMs keeps its value so that time never runs backwards.
void VirtualClock::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    sleeps_.clear();
}

namespace {

RealClock& TheRealClock() {
    static RealClock clock;
    return clock;
}

std::atomic<Clock*> installedClock{nullptr};

}  // namespace

Clock& CurrentClock() {
    Clock* clock = installedClock.load(std::memory_order_acquire);
    return clock != nullptr ? *clock : TheRealClock();
}

void SetCurrentClock(Clock* clock) {
    installedClock.store(clock, std::memory_order_release);
}

void SleepMs(uint32_t ms) {
    CurrentClock().SleepMs(ms);
}

bool UseVirtualClockIfAsked() {
    static VirtualClock virtualClock;
    const char* value = std::getenv("KESTROVA_VIRTUAL_CLOCK");
    if (value == nullptr || std::string_view(value) != "1") {
        return false;
    }
    SetCurrentClock(&virtualClock);
    return true;
}

}  // namespace kestrova::platform
