// What the discrete-control tests against the lab start from: the procedure lab fixture, a run of
// DiscreteControlTest that hands back verdict and result text, and a clock that acts as the
// engineer (or a failing monitor) after a given number of waits.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "continuous_lab_fixture.h"
#include "engine/discrete_control_test.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine::testing {

// Forwards every wait to the fixture's virtual clock; n waits from when an action is set, runs it.
class ActingClock final : public platform::Clock {
  public:
    explicit ActingClock(platform::VirtualClock& virtualClock) : virtual_(virtualClock) {}

    void AfterWait(int count, std::function<void()> action) { actions_[waits_ + count] = std::move(action); }

    void SleepMs(uint32_t ms) override {
        virtual_.SleepMs(ms);
        ++waits_;
        if (auto action = actions_.find(waits_); action != actions_.end()) {
            action->second();
        }
    }
    uint64_t NowMs() override { return virtual_.NowMs(); }

  private:
    platform::VirtualClock& virtual_;
    std::map<int, std::function<void()>> actions_;
    int waits_ = 0;
};

struct Outcome {
    bool pass = false;
    std::string result;
};

class DiscreteLabTest : public ProcedureLabTest {
  protected:
    DiscreteLabTest() { platform::SetCurrentClock(&actingClock_); }
    ~DiscreteLabTest() override { platform::SetCurrentClock(&clock_); }

    Outcome Run(uint8_t code) {
        Outcome outcome;
        outcome.pass = DiscreteControlTest(code, outcome.result);
        return outcome;
    }

    void Manual() { op::TestMode = op::kManualMode; }

    // Lab faults switched on after the n-th wait of the procedure, as if the monitor broke then.
    void FaultAfterWait(int count, const std::string& fault) {
        actingClock_.AfterWait(count, [fault] { LabCommand("fault 1 " + fault); });
    }

    ActingClock actingClock_{clock_};
};

}  // namespace kestrova::engine::testing
