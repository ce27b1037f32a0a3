#include "engine/result_text.h"
#include "engine/theft_pin.h"
#include "engine/write_sequences.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr int32_t kTheftDisabled = 0;
constexpr int32_t kTheftEnabled = 1;
constexpr int32_t kStateNotTriggered = 0;
constexpr int32_t kTimeout = 1;
constexpr uint32_t kPinSettleMs = 100;
constexpr uint32_t kModeChangeMs = 6000;
constexpr uint32_t kStateReadMs = 30;

// The PIN always goes as two writes, low word first, then the mode.
int32_t ChangeMode(int32_t mode) {
    WriteAndWait(kTheftPinLowCode, kTestPin.low, kPinSettleMs);
    WriteAndWait(kTheftPinHighCode, kTestPin.high, kPinSettleMs);
    WriteAndWait(kTheftModeCode, mode, kModeChangeMs);
    return ReadReported(kTheftModeCode);
}

unsigned Hex(int32_t value) {
    return static_cast<unsigned>(value);
}

// Appends the OK line when the expectation held; otherwise clears pass for the caller's error line.
bool Expect(DiscreteTest& test, bool held, const char* okLine) {
    if (held) {
        test.result += okLine;
    } else {
        test.pass = false;
    }
    return held;
}

}  // namespace

void TheftModeStartCheck(DiscreteTest& test) {
    // Nothing is written: the functional test (0xFE) needs the monitor to start disabled.
    if (test.initial != kTheftDisabled) {
        test.pass = false;
        AppendResult(test.result, "FAIL - expect 0x00 (Disabled), got %d<BR>", test.initial);
        test.result += "Needs to start in Disabled mode for Theft.<BR>";
    }
}

void TheftStateSequence(DiscreteTest& test) {
    WriteAndWait(kTheftTimeoutCode, kTimeout, kPinSettleMs);

    int32_t mode = ChangeMode(kTheftEnabled);
    if (!Expect(test, mode == kTheftEnabled, "Entered Theft Enabled mode OK<BR>")) {
        AppendResult(test.result, "ERROR, cound not enter Theft Enabled mode, exp 0x01, got 0x%x<BR>", Hex(mode));
    }
    platform::SleepMs(kStateReadMs);
    int32_t state = ReadReported(kTheftStateCode);
    platform::SleepMs(kStateReadMs);
    if (!Expect(test, state == kStateNotTriggered, "Entered Theft Enabled state OK<BR>")) {
        AppendResult(test.result, "ERROR, cound not enter Theft Enabled state, exp 0x00, got 0x%x<BR>", Hex(state));
    }

    // Always disable too, so a monitor that refused to enable still gets its way back.
    mode = ChangeMode(kTheftDisabled);
    if (!Expect(test, mode == kTheftDisabled, "Entered Theft Disabled mode OK<BR>")) {
        AppendResult(test.result, "ERROR, cound not enter Theft Disabled mode, exp 0x00, got 0x%x<BR>", Hex(mode));
    }
    platform::SleepMs(kStateReadMs);
    state = ReadReported(kTheftStateCode);
    if (!Expect(test, state == kStateNotTriggered, "Entered Theft Disabled state OKx<BR>")) {
        AppendResult(test.result, "ERROR, cound not enter Theft Disabled state, exp 0x00, got 0x%x<BR>", Hex(state));
    }
    platform::SleepMs(kStateReadMs);
}

}  // namespace kestrova::engine
