// Path R: a read/write control is swept, each value read back and, in Manual mode, confirmed by the
// engineer from the third good read-back on. Redo starts the whole path again.
#include <algorithm>
#include <iterator>

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "engine/continuous_paths.h"
#include "engine/continuous_sweep.h"
#include "engine/continuous_user_preset.h"
#include "engine/result_text.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kVideoGainCodes[] = {0x16, 0x18, 0x1A};
// Window position and PIP picture controls act only on an open, selected window.
constexpr uint8_t kWindowControlCodes[] = {0x95, 0x96, 0x97, 0x98, 0xF1, 0xF2, 0xF3, 0xF4};
constexpr uint8_t kWindowOnOffCode = 0xA4;
constexpr uint8_t kWindowSelectCode = 0xA5;
constexpr uint32_t kWindowOn = 0;
constexpr uint32_t kWindowOff = 0xFF;
constexpr uint32_t kFirstWindow = 0x100;
constexpr uint8_t kTheftTimeoutCode = 0xFB;

constexpr uint32_t kPresetSettleMs = 100;
constexpr uint32_t kWindowSettleMs = 64;
constexpr uint32_t kSettleMs = 64;
constexpr uint32_t kFailedValueMs = 32;
constexpr int kFailureLimit = 9;
constexpr int kQuestionFrom = 3;

template <size_t N>
bool IsOneOf(const uint8_t (&codes)[N], uint8_t code) {
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

// R1: the gains of a factory preset are often locked; a user preset takes them.
void SelectUserPreset() {
    if (!catalogue::Catalogue()[kColourPresetCode].inCaps) {
        return;
    }
    uint32_t minimum = 0, maximum = 0, current = 0;
    if (!bus::ReadVcp(kColourPresetCode, &minimum, &maximum, &current)) {
        return;
    }
    const std::optional<int32_t> preset = FirstListedUserPreset();
    if (preset && *preset != static_cast<int32_t>(current)) {
        bus::WriteVcp(kColourPresetCode, static_cast<uint32_t>(*preset));
        platform::SleepMs(kPresetSettleMs);
    }
}

void OpenFirstWindow() {
    bus::WriteVcp(kWindowOnOffCode, kWindowOn);
    platform::SleepMs(kWindowSettleMs);
    bus::WriteVcp(kWindowSelectCode, kFirstWindow);
    platform::SleepMs(kWindowSettleMs);
}

void CloseWindow() {
    bus::WriteVcp(kWindowSelectCode, kFirstWindow);
    platform::SleepMs(kWindowSettleMs);
    bus::WriteVcp(kWindowOnOffCode, kWindowOff);
}

// Kept across a Redo: only `confirmed` starts again.
struct SweepState {
    bool pass = true;
    int failures = 0;
    int confirmed = 0;
    int noAnswers = 0;
    bool readBackOnce = false;  // some value set read back as written; the last such is below
    int32_t lastReadBack = 0;
};

enum class SweepEnd { kDone, kRedo };

int32_t AskLevelChanged(const catalogue::VcpEntry& entry) {
    op::PromptCaption = entry.name.View();
    op::PromptQuestion.Format("%s: Did the level change?", entry.name.CStr());
    return op::AskRedoYesNo();
}

SweepEnd Sweep(uint8_t code, const VcpReading& start, SweepState& state, ResultText& result) {
    const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    const bool fullRange = op::FullRangeTesting.load();
    const bool manual = op::TestMode.load() == op::kManualMode;
    for (std::optional<int32_t> value = NextSweepValue(std::nullopt, start.minimum, start.maximum, fullRange); value;
         value = NextSweepValue(value, start.minimum, start.maximum, fullRange)) {
        op::SetIndividualProgress(*value);
        bus::WriteVcp(code, static_cast<uint32_t>(*value));
        platform::SleepMs(kSettleMs);
        const ReadBackResult readBack = ReadBack(code, *value, true);
        if (readBack.matched) {
            state.readBackOnce = true;
            state.lastReadBack = *value;
        }
        if (!readBack.matched) {
            state.pass = false;
            AppendResult(result, "...FAILED, could not read after set to %d <BR>", *value);
            if (readBack.unsupported) {
                AppendResult(result, "...Monitor says '%s' is Unsupported<BR>", entry.name.CStr());
            }
            ++state.failures;
            platform::SleepMs(kFailedValueMs);
        } else if (manual && ++state.confirmed >= kQuestionFrom) {
            const int32_t answer = AskLevelChanged(entry);
            if (answer == op::kAnswerRedo) {
                state.confirmed = 0;
                bus::WriteVcp(code, static_cast<uint32_t>(start.current));
                return SweepEnd::kRedo;
            }
            if (answer != op::kAnswerYes) {
                ++state.noAnswers;
                state.pass = false;
                AppendResult(result, "...FAILED, set %d, got %d<BR>", *value, readBack.value);
                ++state.failures;
            }
        }
        if (state.failures > kFailureLimit) {
            break;
        }
    }
    return SweepEnd::kDone;
}

}  // namespace

bool TestReadWriteControl(uint8_t code, ResultText& result) {
    const bool windowControl = IsOneOf(kWindowControlCodes, code);
    SweepState state;
    for (;;) {
        if (IsOneOf(kVideoGainCodes, code)) {
            SelectUserPreset();
        }
        if (windowControl) {
            OpenFirstWindow();
        }
        std::optional<VcpReading> start = ReadStartValue(code, result);
        if (!start) {
            state.pass = false;
            break;
        }
        // A timeout of 0 would mean "never": the monitor need not take it.
        if (code == kTheftTimeoutCode) {
            start->minimum = 1;
        }
        AppendResult(result, "Initial, min=%d max=%d cur=%d<BR>", start->minimum, start->maximum, start->current);
        // A control whose maximum is 0 has nothing to sweep: every write would seem to hold.
        if (start->maximum == 0) {
            state.pass = false;
            AppendResult(result, "FAIL - max %d leaves no range to set<BR>", start->maximum);
            break;
        }
        op::SetIndividualProgressRange(start->minimum, start->maximum);
        op::SetIndividualProgress(start->minimum);
        state.readBackOnce = false;
        if (Sweep(code, *start, state, result) == SweepEnd::kRedo) {
            continue;
        }
        // A value that reads back once right after its write may still fall back: the last one
        // must still read so when asked again, before the control is put back.
        if (state.readBackOnce) {
            const ReadBackResult again = ReadBack(code, state.lastReadBack, false);
            if (!again.matched) {
                state.pass = false;
                AppendResult(result, "...FAILED, set %d, read it back once, then %d<BR>", state.lastReadBack,
                             again.value);
            }
        }
        bus::WriteVcp(code, static_cast<uint32_t>(start->current));
        platform::SleepMs(kSettleMs);
        op::SetIndividualProgress(0);
        break;
    }
    if (windowControl) {
        CloseWindow();
    }
    if (state.noAnswers > 0) {
        AppendResult(result, "Added read delays %d times.<BR>", state.noAnswers);
    }
    if (state.pass) {
        result += op::FullRangeTesting.load() ? "Tested full range of values, r/w.<BR>"
                                              : "Tested min and max values, r/w.<BR>";
    }
    return state.pass;
}

}  // namespace kestrova::engine
