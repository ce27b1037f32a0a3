// The pauses DDC/CI demands on a real bus, behind a seam so tests count them instead of sleeping.
#pragma once

#include <cstdint>

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

}  // namespace brevlink::ddcci
