// Every settle time of the system goes through the process clock. The real clock sleeps; a virtual
// clock never blocks and adds up the time asked for, so tests can assert the waits exactly.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace kestrova::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    // Blocks the calling thread for `ms` milliseconds (a virtual clock only counts them).
    virtual void SleepMs(uint32_t ms) = 0;
    // Milliseconds since an arbitrary fixed start.
    virtual uint64_t NowMs() = 0;
};

class RealClock final : public Clock {
  public:
    void SleepMs(uint32_t ms) override;
    uint64_t NowMs() override;
};

// Thread-safe: a test thread may sleep while the test's own thread reads the totals.
class VirtualClock final : public Clock {
  public:
    void SleepMs(uint32_t ms) override;
    uint64_t NowMs() override;

    uint64_t TotalSleptMs() const;
    std::vector<uint32_t> Sleeps() const;  // every sleep, in the order asked
    void Reset();

  private:
    mutable std::mutex mutex_;
    uint64_t now_ = 0;
    std::vector<uint32_t> sleeps_;
};

// The process clock: the real clock unless a test installed another.
Clock& CurrentClock();
// Installs `clock` as the process clock (null restores the real one). Not for use during a run.
void SetCurrentClock(Clock* clock);
// Shorthand for CurrentClock().SleepMs(ms).
void SleepMs(uint32_t ms);

// Installs a process-wide virtual clock when the environment variable KESTROVA_VIRTUAL_CLOCK is
// "1", so that the fronts' runs against the simulated lab take no wall-clock time (tests). True
// when it did.
bool UseVirtualClockIfAsked();

// Installs a clock for the lifetime of a scope (tests).
class ScopedClock {
  public:
    explicit ScopedClock(Clock& clock) { SetCurrentClock(&clock); }
    ~ScopedClock() { SetCurrentClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace kestrova::platform
