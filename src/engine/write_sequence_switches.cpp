#include "engine/result_text.h"
#include "engine/write_sequences.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kSettleMs = 64;
constexpr uint32_t kWindowSettleMs = 256;

// Writes one setting of the light sensor; true when the monitor reports it back.
bool SetLightSensor(DiscreteTest& test, int32_t value) {
    WriteAndWait(test.code, value, kSettleMs);
    int32_t reported = 0;
    if (!ReadValue(test.code, reported)) {
        test.pass = false;
        AppendResult(test.result, "...FAILED, could not read after set to %d <BR>", value);
        return false;
    }
    if (reported != value) {
        test.pass = false;
        AppendResult(test.result, "...FAILED, set %d, got %d<BR>", value, reported);
        return false;
    }
    return true;
}

// Writes a value and judges whatever the monitor reports back, answered or not.
void SetAndExpect(DiscreteTest& test, int32_t value, const char* failureLine) {
    WriteAndWait(test.code, value, kSettleMs);
    if (ReadReported(test.code) != value) {
        test.pass = false;
        test.result += failureLine;
    }
}

// Judges only a read that answered: a window that cannot report its state is not held against it here.
void SetWindowControl(DiscreteTest& test, int32_t value) {
    WriteAndWait(test.code, value, kWindowSettleMs);
    int32_t reported = 0;
    if (ReadValue(test.code, reported) && reported != value) {
        test.pass = false;
        AppendResult(test.result, "...FAILED, set %d, got %d<BR>", value, reported);
    }
}

}  // namespace

void LightSensorSequence(DiscreteTest& test) {
    if (SetLightSensor(test, 1)) {
        SetLightSensor(test, 2);
    }
    WriteAndWait(test.code, test.initial, kSettleMs);
}

void AudioMuteSequence(DiscreteTest& test) {
    SetAndExpect(test, 1, "...FAILED, could not set to 0x01 for Mute<BR>");
    SetAndExpect(test, 2, "...FAILED, could not set to 0x02 for Unmute<BR>");
    WriteAndWait(test.code, test.initial, kSettleMs);
}

void AudioStereoSequence(DiscreteTest& test) {
    SetAndExpect(test, 0x00, "...FAILED, could not set to 0x00 for Speaker Off<BR>");
    SetAndExpect(test, 0x01, "...FAILED, could not set to 0x01 for Mono<BR>");
    // Stereo and expanded stereo only where the monitor's range reaches them.
    if (test.maximum > 1) {
        SetAndExpect(test, 0x02, "...FAILED, could not set to 0x02 for Stereo<BR>");
    }
    if (test.maximum > 2) {
        SetAndExpect(test, 0x03, "...FAILED, could not set to 0x03 for Stereo expanded<BR>");
    }
    WriteAndWait(test.code, test.initial, kSettleMs);
}

void WindowControlSequence(DiscreteTest& test) {
    SetWindowControl(test, 0x00);
    SetWindowControl(test, 0xFF);
    WriteAndWait(test.code, test.initial, kSettleMs);
}

}  // namespace kestrova::engine
