#include "engine/theft_deterrence_test.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "engine/plugin_step.h"
#include "engine/theft_pin.h"
#include "operator/operator_output.h"
#include "platform/clock.h"
#include "report/report_writer.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kDisabled = 0;
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kTimeout = 1;
constexpr uint32_t kStateQuiet = 0;
constexpr uint32_t kStateTriggered = 1;
constexpr uint32_t kPinWordMask = 0xFFFF;

constexpr uint32_t kPinSettleMs = 100;
constexpr uint32_t kModeSettleMs = 6000;
constexpr uint32_t kStateReadMs = 30;

constexpr int kStepCount = 13;
constexpr bool kSilenceWillDo = true;

// An ERROR line's "%x" is the value read.
struct TheftStep {
    const char* description;
    const char* ok;
    const char* error;
};

constexpr TheftStep kSteps[kStepCount] = {
    {"Check if theft access mode is enabled.<BR>", "Entered Theft Enabled mode. OK<BR>",
     "ERROR, could not enter Theft Enabled mode, sent 0x01, got 0x%x<BR>"},
    {"Check if theft access mode timeout is set to 0x01.<BR>", "Theft Access Control Timeout set correctly. OK<BR>",
     "ERROR, could not set Theft Access Control Timeout, sent 0x01, got 0x%x<BR>"},
    {"Check if low byte of Theft Access Control PIN is readable.<BR>",
     "Low byte of Theft Access Control Pin is unreadable. OK<BR>",
     "ERROR, should not be able to read low byte of Theft Access Control Pin<BR>"},
    {"Check if high byte of Theft Access Control PIN is readable.<BR>",
     "High byte of Theft Access Control Pin is unreadable. OK<BR>",
     "ERROR, should not be able to read high byte of Theft Access Control Pin<BR>"},
    {"Check if theft state has been triggered.<BR>", "Theft state has not been triggered. OK<BR>",
     "ERROR, should not be in Theft Enabled state, expected 0x00, got 0x%x<BR>"},
    {"Check if theft access mode is enabled.<BR>", "Unable to disable Theft Enabled mode with wrong pin. OK<BR>",
     "ERROR, disabled Theft Enabled mode with wrong pin<BR>"},
    {"Check if theft access mode is still enabled.<BR>", "Theft Access Control Mode is still active. OK<BR>",
     "ERROR, Theft Access Control Mode should still be enabled, read 0x%x<BR>"},
    {"Check if theft access mode timeout is set to 0x01.<BR>", "Theft Access Control Timeout read correctly. OK<BR>",
     "ERROR, could not read Theft Access Control Timeout, expected 0x01, got 0x%x<BR>"},
    {"Check if theft state has been triggered.<BR>", "Theft state has been triggered. OK<BR>",
     "ERROR, should be in Theft Enabled state, expected 0x01, got 0x%x<BR>"},
    {"Check if theft access mode is disabled after setting incorrect PIN.<BR>",
     "Theft Access Control Mode still enabled after attempting to disable with incorrect PIN. OK<BR>",
     "ERROR, Theft Access Control Mode should still be enabled.  Disabled it with wrong PIN. <BR>"},
    {"Check if theft state is still triggered after setting incorrect PIN.<BR>",
     "Theft state is still triggered after setting incorrect PIN. OK<BR>",
     "ERROR, should still be in Theft Enabled state after setting incorrect PIN, expected 0x01, got 0x%x<BR>"},
    {"Check if theft access mode is disabled after setting correct PIN.<BR>",
     "Theft Access Control Mode disabled after setting correct PIN. OK<BR>",
     "ERROR, Theft Access Control Mode should be disabled after setting correct PIN. <BR>"},
    {"Check if theft state is disabled after setting correct PIN.<BR>",
     "Theft state has been disabled after setting correct PIN. OK<BR>",
     "ERROR, theft state is still enabled after setting correct PIN.  Expected 0x00, got 0x%x<BR>"},
};

// The line with its "%x" (if any) replaced by the value in lower-case hex; the lines are never
// used as formats.
std::string WithValue(std::string_view line, uint32_t value) {
    std::string text(line);
    const size_t at = text.find("%x");
    if (at != std::string::npos) {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "%x", static_cast<unsigned>(value));
        text.replace(at, 2, hex);
    }
    return text;
}

class TheftSteps {
  public:
    void Run() {
        // 1: enable with the test PIN.
        Write(kTheftTimeoutCode, kTimeout, kPinSettleMs);
        WritePin(kTestPin);
        Write(kTheftModeCode, kEnabled, kModeSettleMs);
        Expect(Read(kTheftModeCode) == kEnabled);
        // 2-4: the timeout reads back, the PIN words never do.
        Expect(Read(kTheftTimeoutCode) == kTimeout);
        Expect(PinWordHidden(kTheftPinLowCode, kTestPin.low), kSilenceWillDo);
        Expect(PinWordHidden(kTheftPinHighCode, kTestPin.high), kSilenceWillDo);
        // 5: enabling alone does not trigger the theft state.
        Expect(ReadState() == kStateQuiet);
        // 6: a wrong PIN cannot disable.
        op::LogLine("Sending Wrong PIN.");
        WritePin(kFirstWrongPin);
        op::LogLine("Attempt to disable Theft Access Control Mode with wrong PIN.");
        Write(kTheftModeCode, kDisabled, 0);
        Expect(Read(kTheftModeCode) == kEnabled);
        // 7-9: a power cycle keeps mode and timeout and triggers the theft state.
        op::ShowMessageBox("Enter Unfavorable State",
                           "Please unplug video and power cables from the monitor.  Wait one minute before plugging "
                           "cables back in.",
                           op::MessageButtons::kOk);
        Expect(Read(kTheftModeCode) == kEnabled);
        Expect(Read(kTheftTimeoutCode) == kTimeout);
        Expect(ReadState() == kStateTriggered);
        // 10-11: another wrong PIN changes nothing.
        op::LogLine("Sending Wrong PIN, again.");
        WritePin(kSecondWrongPin);
        op::LogLine("Disable theft access control mode, again.");
        Write(kTheftModeCode, kDisabled, 0);
        Expect(Read(kTheftModeCode) == kEnabled);
        Expect(ReadState() == kStateTriggered);
        // 12-13: the right PIN disables the mode and clears the state.
        WritePin(kTestPin);
        Write(kTheftModeCode, kDisabled, kModeSettleMs);
        Expect(Read(kTheftModeCode) == kDisabled);
        Expect(ReadState() == kStateQuiet);
    }

  private:
    void Write(uint8_t code, uint32_t value, uint32_t settleMs) {
        WriteNoted(codes_, code, value);
        if (settleMs > 0) {
            platform::SleepMs(settleMs);
        }
    }

    // Two separate words, low first; never one number.
    void WritePin(const TheftPin& pin) {
        Write(kTheftPinLowCode, pin.low, kPinSettleMs);
        Write(kTheftPinHighCode, pin.high, kPinSettleMs);
    }

    uint32_t Read(uint8_t code) {
        const PluginReading reading = ReadNoted(codes_, code);
        value_ = reading.current;
        answered_ = reading.answered;
        readCode_ = code;
        return value_;
    }

    bool PinWordHidden(uint8_t code, uint16_t word) { return (Read(code) & kPinWordMask) != word; }

    uint32_t ReadState() {
        platform::SleepMs(kStateReadMs);
        Read(kTheftStateCode);
        platform::SleepMs(kStateReadMs);
        return value_;
    }

    // Ends the current step with the value of its last read. A read the monitor did not answer
    // proves nothing: the 0 it leaves behind would pass the steps that look for 0 on a monitor
    // without theft deterrence, so such a step fails with a line of its own. Only the PIN checks
    // pass on silence, as a PIN word that cannot be read is what they look for.
    void Expect(bool held, bool silenceWillDo = false) {
        const TheftStep& step = kSteps[step_];
        const bool passed = held && (answered_ || silenceWillDo);
        std::string comment;
        if (passed) {
            comment = step.ok;
        } else if (held) {
            comment = "ERROR, the monitor did not answer the read of " + PluginCodeText(readCode_) + "<BR>";
        } else {
            comment = WithValue(step.error, value_);
        }
        FinishPluginStep(codes_, step.description, passed, comment);
        ++step_;
        op::SetIndividualProgress(step_);
    }

    PluginCodeList codes_;
    uint32_t value_ = 0;
    bool answered_ = false;
    uint8_t readCode_ = 0;
    int step_ = 0;
};

}  // namespace

void TheftDeterrenceTest() {
    if (op::ShowMessageBox("Theft", "Proceed with manual Theft tests?", op::MessageButtons::kYesNo) ==
        op::MessageAnswer::kNo) {
        return;
    }
    report::WriteTheftTableStart();
    op::SetIndividualProgressRange(0, kStepCount);
    op::LogLine("Running manual Theft Deterrence test.  This requires user input!");
    TheftSteps().Run();
    report::WritePluginTableEnd();
    op::SetIndividualProgress(0);
}

}  // namespace kestrova::engine
