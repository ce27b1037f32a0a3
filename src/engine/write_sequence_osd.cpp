#include <string>

#include "engine/result_text.h"
#include "engine/write_sequences.h"
#include "operator/run_settings.h"

namespace kestrova::engine {

namespace {

constexpr int32_t kOsdDisabled = 1;
constexpr int32_t kOsdEnabled = 2;
constexpr uint32_t kSettleMs = 64;

void CouldNotRead(DiscreteTest& test, int32_t value) {
    test.pass = false;
    AppendResult(test.result, "...FAILED, could not read after set to %d <BR>", value);
}

void JudgeByReadBack(DiscreteTest& test, int32_t disabledReport) {
    if (disabledReport != kOsdDisabled) {
        test.pass = false;
        AppendResult(test.result, "...FAILED, set %d, got %d<BR>", kOsdDisabled, disabledReport);
        return;
    }
    WriteAndWait(test.code, kOsdEnabled, kSettleMs);
    int32_t reported = 0;
    if (!ReadValue(test.code, reported)) {
        CouldNotRead(test, kOsdEnabled);
    } else if (reported != kOsdEnabled) {
        test.pass = false;
        AppendResult(test.result, "...FAILED, set %d, got %d<BR>", kOsdEnabled, reported);
    }
}

// Whether the menu really went away and came back only the engineer can see.
void JudgeByEngineer(DiscreteTest& test) {
    const std::string name = test.Name();
    if (!AskYesNo(name, name + ": Is the On Screen Display disabled?")) {
        test.pass = false;
        test.result += "...FAILED, could not disable OSD <BR>";
    }
    WriteAndWait(test.code, kOsdEnabled, kSettleMs);
    int32_t reported = 0;
    if (ReadValue(test.code, reported) && !AskYesNo(name, name + ": Is the On Screen Display enabled?")) {
        test.pass = false;
        test.result += "...FAILED, could not enable OSD <BR>";
    }
}

}  // namespace

void OsdSequence(DiscreteTest& test) {
    // A fresh read gives the state to leave behind; without an answer the first read's value stands,
    // as writing back a value the monitor never reported could leave the menu switched off.
    int32_t restore = test.initial;
    int32_t fresh = 0;
    if (ReadValue(test.code, fresh)) {
        restore = fresh;
    }
    WriteAndWait(test.code, kOsdDisabled, kSettleMs);
    int32_t reported = 0;
    if (!ReadValue(test.code, reported)) {
        CouldNotRead(test, kOsdDisabled);
    } else if (op::TestMode.load() == op::kManualMode) {
        JudgeByEngineer(test);
    } else {
        JudgeByReadBack(test, reported);
    }
    WriteAndWait(test.code, restore, kSettleMs);
}

}  // namespace kestrova::engine
