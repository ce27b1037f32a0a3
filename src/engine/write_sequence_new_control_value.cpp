#include "engine/result_text.h"
#include "engine/write_sequences.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kNewControlValue = 0x02;
constexpr uint8_t kActiveControl = 0x52;
constexpr uint8_t kBrightness = 0x10;
constexpr int32_t kNoNewValues = 1;
constexpr int32_t kNewValuesPending = 2;
constexpr int32_t kStackEmpty = 0;
constexpr uint32_t kFlagSettleMs = 50;
constexpr uint32_t kClearSettleMs = 64;
constexpr int kMaxStackReads = 10;

// The engineer changes brightness on the panel; the monitor must raise the flag and stack 0x10.
void ManualSequence(DiscreteTest& test) {
    int32_t flag = 0;
    if (!ReadValue(kNewControlValue, flag)) {
        return;
    }
    platform::SleepMs(kFlagSettleMs);
    if (flag == kNewValuesPending) {
        // Changes from before the test would hide the one asked for: clear them first.
        WriteAndWait(kNewControlValue, kNoNewValues, kFlagSettleMs);
        flag = ReadReported(kNewControlValue);
        platform::SleepMs(kFlagSettleMs);
        if (flag != kNoNewValues) {
            test.pass = false;
            AppendResult(test.result, "FAIL - Expected 0x01, got %d, from stack<BR>", flag);
            return;
        }
    } else if (flag != kNoNewValues) {
        test.pass = false;
        AppendResult(test.result, "FAIL - Value out of range, got %d, from stack<BR>", flag);
        return;
    }
    op::ShowMessageBox("VCP 0x02 NewControlValue", "Please use the menu to set the brightness to a lower value.",
                       op::MessageButtons::kOk, op::MessageIcon::kNone);
    flag = ReadReported(kNewControlValue);
    platform::SleepMs(kFlagSettleMs);
    if (flag != kNewValuesPending) {
        test.pass = false;
        AppendResult(test.result, "FAIL -  Expected 0x02, got %d, from stack<BR>", flag);
        return;
    }
    if (!catalogue::Catalogue()[kActiveControl].inCaps) {
        test.pass = false;
        test.result += "FAIL -  0x52 Not in Capability String<BR>";
        return;
    }
    const int32_t changed = ReadReported(kActiveControl);
    if (changed != kBrightness) {
        test.pass = false;
        AppendResult(test.result, "FAIL -  Read 0x52, expected 0x10, got %d, from stack<BR>", changed);
    }
}

// Without an engineer only the changes already pending can be read off the stack; ten rounds bound
// a monitor whose stack never empties.
void AutomaticSequence(DiscreteTest& test) {
    int32_t flag = ReadReported(kNewControlValue);
    if (!catalogue::Catalogue()[kActiveControl].inCaps || flag != kNewValuesPending) {
        return;
    }
    for (int round = 0; round < kMaxStackReads && flag == kNewValuesPending; ++round) {
        int32_t changed = 0;
        if (ReadValue(kActiveControl, changed)) {
            AppendResult(test.result, "...got %d, from stack<BR>", changed);
            if (changed == kStackEmpty) {
                WriteAndWait(kNewControlValue, kNoNewValues, kClearSettleMs);
            }
        }
        if (ReadValue(kNewControlValue, flag)) {
            AppendResult(test.result, "...got %d, from kVCPx02_NewControlValue<BR>", flag);
        }
    }
}

}  // namespace

void NewControlValueSequence(DiscreteTest& test) {
    if (op::TestMode.load() == op::kManualMode) {
        ManualSequence(test);
    } else {
        AutomaticSequence(test);
    }
}

}  // namespace kestrova::engine
