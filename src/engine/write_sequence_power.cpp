#include <string>

#include "bus/vcp_primitives.h"
#include "engine/result_text.h"
#include "engine/write_sequences.h"
#include "operator/run_settings.h"

namespace kestrova::engine {

namespace {

constexpr int32_t kPowerOn = 1;
constexpr int32_t kFirstSavingState = 2;
constexpr int32_t kLastSavingState = 4;
constexpr int32_t kPowerOff = 4;
constexpr int32_t kHardOff = 5;
constexpr uint32_t kPowerStateMs = 2000;

void JudgeReportedStates(DiscreteTest& test) {
    if (test.initial != kPowerOn) {
        test.pass = false;
        AppendResult(test.result, "FAIL - expect 0x01 (Power On), got %d<BR>", test.initial);
    }
    if (test.maximum != kPowerOff && test.maximum != kHardOff) {
        test.pass = false;
        AppendResult(test.result, "FAIL - expect 0 to (4 or 5), got max of %d<BR>", test.maximum);
    }
}

// Each saving state is held long enough to be seen, then the monitor is switched straight back on.
void CycleStatesWithEngineer(DiscreteTest& test) {
    if (test.initial != kPowerOn) {
        bus::WriteVcp(test.code, kPowerOn);
    }
    const std::string name = test.Name();
    for (int32_t state = kFirstSavingState; state <= kLastSavingState; ++state) {
        WriteAndWait(test.code, state, kPowerStateMs);
        bus::WriteVcp(test.code, kPowerOn);
        if (!AskYesNo(name, name + ": Did you see a change to the screen?")) {
            test.pass = false;
            AppendResult(test.result, "...FAILED, could not control power settings with %04X <BR>",
                         static_cast<unsigned>(state));
        }
    }
}

}  // namespace

void PowerModeSequence(DiscreteTest& test) {
    if (op::TestMode.load() == op::kManualMode) {
        CycleStatesWithEngineer(test);
    } else {
        JudgeReportedStates(test);
    }
}

}  // namespace kestrova::engine
