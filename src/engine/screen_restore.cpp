// The restore-defaults commands: move the related controls away, confirm they moved, send the
// command with 0 (Robust testing: nothing may happen) and with 1 (the controls must reset), and
// put the controls back.
#include <optional>

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "engine/continuous_user_preset.h"
#include "engine/screen_procedures.h"
#include "engine/screen_related_controls.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kFactoryDefaultsCode = 0x04;
constexpr uint8_t kLuminanceCode = 0x05;
constexpr uint8_t kGeometryCode = 0x06;
constexpr uint8_t kColourCode = 0x08;

constexpr uint32_t kFactoryTestValuesMs = 200;
constexpr uint32_t kFactoryRedoMs = 100;
constexpr uint32_t kFactoryWriteBackMs = 100;
constexpr uint32_t kLuminanceEachWriteMs = 64;
constexpr uint32_t kLuminanceEachWriteBackMs = 100;
constexpr uint32_t kTestValuesMs = 300;
constexpr uint32_t kPresetSettleMs = 64;

constexpr char kFactoryCaption[] = "0x04 Factory Defaults";

bool Manual() {
    return op::TestMode.load() == op::kManualMode;
}

}  // namespace

bool TestRestoreFactoryDefaults(ResultText& result) {
    bool pass = true;
    ControlGroup group = GeometryControls();
    ReadControls(group, pass, result);
    if (!pass) {
        return false;
    }
    for (;;) {
        WriteTestValues(group);
        platform::SleepMs(kFactoryTestValuesMs);
        if (!Manual()) {
            break;
        }
        const int32_t answer = AskEngineer(kFactoryCaption, "Did the screen change?");
        if (answer == op::kAnswerRedo) {
            WriteSavedValues(group);
            platform::SleepMs(kFactoryRedoMs);
            continue;
        }
        pass = pass && answer == op::kAnswerYes;
        break;
    }
    CheckControls(group, CheckMode::ExpectTestValue, pass, result);
    SendZeroAndCheck(kFactoryDefaultsCode, group, pass, result);

    bus::WriteVcp(kFactoryDefaultsCode, 1);
    while (Manual()) {
        const int32_t answer = AskEngineer(kFactoryCaption, "Did the screen return to factory defaults?");
        if (answer == op::kAnswerRedo) {
            WriteTestValues(group);
            platform::SleepMs(kFactoryRedoMs);
            bus::WriteVcp(kFactoryDefaultsCode, 1);
            continue;
        }
        pass = pass && answer == op::kAnswerYes;
        break;
    }
    WaitAndCheckReset(group, pass, result);
    WriteSavedValues(group);
    platform::SleepMs(kFactoryWriteBackMs);
    return pass;
}

bool TestRestoreLuminance(ResultText& result) {
    bool pass = true;
    ControlGroup group = LuminanceControls();
    ReadControls(group, pass, result);
    if (!pass) {
        return false;
    }
    WriteTestValues(group, kLuminanceEachWriteMs);
    CheckControls(group, CheckMode::ExpectTestValue, pass, result);
    SendZeroAndCheck(kLuminanceCode, group, pass, result);
    bus::WriteVcp(kLuminanceCode, 1);
    WaitAndCheckReset(group, pass, result);
    WriteSavedValues(group, kLuminanceEachWriteBackMs);
    return pass;
}

bool TestRestoreGeometry(ResultText& result) {
    bool pass = true;
    ControlGroup group = GeometryControls();
    ReadControls(group, pass, result);
    if (!pass) {
        return false;
    }
    WriteTestValues(group);
    platform::SleepMs(kTestValuesMs);
    CheckControls(group, CheckMode::ExpectTestValue, pass, result);
    SendZeroAndCheck(kGeometryCode, group, pass, result);
    bus::WriteVcp(kGeometryCode, 1);
    WaitAndCheckReset(group, pass, result);
    WriteSavedValues(group);
    return pass;
}

bool TestRestoreColour(ResultText& result) {
    bool pass = true;
    ControlGroup group = ColourGainControls();
    ReadControls(group, pass, result);
    if (!pass) {
        return false;
    }
    // The gains of a factory preset may be locked; a user preset takes the test values.
    std::optional<int32_t> savedPreset;
    uint32_t minimum = 0, maximum = 0, current = 0;
    if (catalogue::Catalogue()[kColourPresetCode].inCaps &&
        bus::ReadVcp(kColourPresetCode, &minimum, &maximum, &current)) {
        savedPreset = static_cast<int32_t>(current);
        if (const std::optional<int32_t> userPreset = FirstListedUserPreset()) {
            bus::WriteVcp(kColourPresetCode, static_cast<uint32_t>(*userPreset));
            platform::SleepMs(kPresetSettleMs);
            ReadControls(group, pass, result);
        }
    }
    WriteTestValues(group);
    platform::SleepMs(kTestValuesMs);
    CheckControls(group, CheckMode::ExpectTestValue, pass, result);
    SendZeroAndCheck(kColourCode, group, pass, result);
    bus::WriteVcp(kColourCode, 1);
    WaitAndCheckReset(group, pass, result);
    WriteSavedValues(group);
    if (savedPreset && *savedPreset >= 0) {
        bus::WriteVcp(kColourPresetCode, static_cast<uint32_t>(*savedPreset));
    }
    return pass;
}

}  // namespace kestrova::engine
