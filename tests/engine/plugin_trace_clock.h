// A clock for the plug-in tests that forwards every wait to the fixture's virtual clock and also
// writes it into the scripted monitor's exchange log, so one trace shows reads, writes and waits
// in the order they happened.
#pragma once

#include <string>

#include "platform/clock.h"
#include "scripted_monitor.h"

namespace kestrova::engine::testing {

class TraceClock final : public platform::Clock {
  public:
    explicit TraceClock(platform::VirtualClock& virtualClock) : virtual_(virtualClock) {}

    void SleepMs(uint32_t ms) override {
        Monitor().exchanges.push_back("wait " + std::to_string(ms));
        virtual_.SleepMs(ms);
    }
    uint64_t NowMs() override { return virtual_.NowMs(); }

  private:
    platform::VirtualClock& virtual_;
};

}  // namespace kestrova::engine::testing
