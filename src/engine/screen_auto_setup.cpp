// The auto-setup commands. Auto setup re-fits the geometry, so it is checked like a restore; in
// Manual mode the engineer watches the picture shift first. Auto colour setup leaves gains that
// nobody can predict, so only the engineer judges it, in either mode.
#include <optional>
#include <string>

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "engine/continuous_user_preset.h"
#include "engine/result_text.h"
#include "engine/screen_procedures.h"
#include "engine/screen_related_controls.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kAutoSetupCode = 0x1E;
constexpr uint8_t kAutoColourSetupCode = 0x1F;
constexpr uint32_t kSettleMs = 300;
constexpr uint32_t kPresetSettleMs = 100;

// Indexes into GeometryControls().
constexpr size_t kClock = 0;
constexpr size_t kHorizontalPosition = 2;
constexpr size_t kVerticalPosition = 3;

// Writes a listed position control and asks whether the picture moved; a No fails the test.
void ConfirmShift(const RelatedControl& control,
                  const char* caption,
                  const char* question,
                  const char* failure,
                  bool& pass,
                  ResultText& result) {
    if (!catalogue::Catalogue()[control.code].inCaps) {
        return;
    }
    WriteTestValue(control);
    platform::SleepMs(kSettleMs);
    const op::MessageAnswer answer =
        op::ShowMessageBox(caption, question, op::MessageButtons::kYesNo, op::MessageIcon::kQuestion);
    if (answer != op::MessageAnswer::kYes) {
        pass = false;
        op::LogLine("%s", failure);
        result += failure;
    }
}

// Switches to the first listed user preset, so that the gains read are the ones auto colour setup
// works on. The preset found at the start, or nothing when 0x14 is unlisted or does not answer.
std::optional<int32_t> SelectUserPreset(ControlGroup& gains, bool& pass, ResultText& result) {
    uint32_t minimum = 0, maximum = 0, current = 0;
    if (!catalogue::Catalogue()[kColourPresetCode].inCaps ||
        !bus::ReadVcp(kColourPresetCode, &minimum, &maximum, &current)) {
        return std::nullopt;
    }
    const int32_t saved = static_cast<int32_t>(current);
    const std::optional<int32_t> userPreset = FirstListedUserPreset();
    if (userPreset && *userPreset != saved) {
        bus::WriteVcp(kColourPresetCode, static_cast<uint32_t>(*userPreset));
        platform::SleepMs(kPresetSettleMs);
        ReadControls(gains, pass, result);
    }
    return saved;
}

}  // namespace

bool TestAutoSetup(ResultText& result) {
    bool pass = true;
    ControlGroup group = GeometryControls();
    ReadControls(group, pass, result);
    if (!pass) {
        return false;
    }
    if (op::TestMode.load() != op::kManualMode) {
        WriteTestValues(group);
        platform::SleepMs(kSettleMs);
        CheckControls(group, CheckMode::ExpectTestValue, pass, result);
    } else {
        // Clock and phase come first in the group: the picture cannot show them, the read-back can.
        const std::span<const RelatedControl> timing(&group[kClock], 2);
        WriteTestValues(timing);
        platform::SleepMs(kSettleMs);
        CheckControls(timing, CheckMode::ExpectTestValue, pass, result);
        platform::SleepMs(kSettleMs);
        ConfirmShift(group[kHorizontalPosition], "Horizontal Position", "Did the image shift horizontally?",
                     "ERROR, Horizontal Position command not functioning correctly. <BR>", pass, result);
        ConfirmShift(group[kVerticalPosition], "Vertical Position", "Did the image shift vertically?",
                     "ERROR, Vertical Position command not functioning correctly. <BR>", pass, result);
        CheckControls(std::span<const RelatedControl>(&group[kVerticalPosition], 1), CheckMode::ExpectTestValue, pass,
                      result);
    }
    SendZeroAndCheck(kAutoSetupCode, group, pass, result);
    bus::WriteVcp(kAutoSetupCode, 1);
    WaitAndCheckReset(group, pass, result);
    WriteSavedValues(group);
    return pass;
}

bool TestAutoColourSetup(ResultText& result) {
    const char* name = catalogue::Catalogue()[kAutoColourSetupCode].name.CStr();
    const std::string question = std::string(name) + ": Did the screen change?";
    bool pass = true;
    int32_t answer = op::kAnswerNo;
    do {
        ControlGroup gains = ColourGainControls();
        ReadControls(gains, pass, result);
        const std::optional<int32_t> savedPreset = SelectUserPreset(gains, pass, result);
        bus::WriteVcp(kAutoColourSetupCode, 1);
        WaitForResetComplete();
        answer = AskEngineer(name, question.c_str());
        if (answer != op::kAnswerYes && answer != op::kAnswerRedo) {
            pass = false;
            result += "...FAILED<BR>";
        }
        WriteSavedValues(gains);
        if (savedPreset && *savedPreset >= 0) {
            bus::WriteVcp(kColourPresetCode, static_cast<uint32_t>(*savedPreset));
        }
    } while (answer == op::kAnswerRedo);
    return pass;
}

}  // namespace kestrova::engine
