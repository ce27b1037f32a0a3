// The pauses DDC/CI demands on a real bus, behind a seam so tests count them instead of sleeping.
#pragma once

#include <cstdint>
#include <map>

namespace brevlink::ddcci {

class Waiter {
  public:
    virtual ~Waiter() = default;
    virtual void WaitMs(uint32_t ms) = 0;
    // A monotonic clock, so that a pause already spent elsewhere is not waited again.
    virtual uint64_t NowMs() = 0;
};

// Sleeps the calling thread.
class SleepWaiter : public Waiter {
  public:
    void WaitMs(uint32_t ms) override;
    uint64_t NowMs() override;
};

// Never blocks: the pauses are counted and move its own clock on (whole runs in tests, and the
// bus-time figures of the benchmarks).
class VirtualWaiter : public Waiter {
  public:
    void WaitMs(uint32_t ms) override {
        now_ += ms;
        total_ += ms;
        ++waits_;
        ++byLength_[ms];
        if (onWait_ != nullptr) {
            onWait_(ms);
        }
    }
    // Told of every pause (a simulated monitor elsewhere in the process keeps its time by it).
    void SetOnWait(void (*onWait)(uint32_t)) { onWait_ = onWait; }
    uint64_t NowMs() override { return now_; }
    uint64_t TotalMs() const { return total_; }
    uint64_t Waits() const { return waits_; }
    // How many pauses of each length.
    const std::map<uint32_t, uint64_t>& ByLength() const { return byLength_; }

  private:
    uint64_t now_ = 0;
    uint64_t total_ = 0;
    uint64_t waits_ = 0;
    std::map<uint32_t, uint64_t> byLength_;
    void (*onWait_)(uint32_t) = nullptr;
};

}  // namespace brevlink::ddcci
