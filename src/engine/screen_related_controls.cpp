#include "engine/screen_related_controls.h"

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

bool Writable(const RelatedControl& control) {
    return catalogue::Catalogue()[control.code].inCaps && control.known;
}

}  // namespace

ControlGroup GeometryControls() {
    return {{.code = 0x0E, .offset = 5},
            {.code = 0x3E, .offset = 6},
            {.code = 0x20, .offset = 7},
            {.code = 0x30, .offset = 8}};
}

ControlGroup LuminanceControls() {
    return {{.code = 0x10, .offset = 4}, {.code = 0x12, .offset = 6}};
}

ControlGroup ColourGainControls() {
    return {{.code = 0x16, .offset = 5}, {.code = 0x18, .offset = 6}, {.code = 0x1A, .offset = 7}};
}

void ReadControls(std::span<RelatedControl> group, bool& pass, ResultText& result) {
    for (RelatedControl& control : group) {
        bool answered = true;
        const VcpReading reading = ReadVcpForCheck(control.code, answered, result);
        control.maximum = reading.maximum;
        control.saved = reading.current;
        control.known = answered;
        pass = pass && answered;
    }
}

bool WriteTestValue(const RelatedControl& control) {
    // A control that did not answer has no trustworthy maximum: its "test value" could be anything.
    if (!Writable(control)) {
        return false;
    }
    bus::WriteVcp(control.code, static_cast<uint32_t>(control.TestValue()));
    return true;
}

void WriteTestValues(std::span<const RelatedControl> group, uint32_t settleMs) {
    for (const RelatedControl& control : group) {
        if (WriteTestValue(control) && settleMs > 0) {
            platform::SleepMs(settleMs);
        }
    }
}

void WriteSavedValues(std::span<const RelatedControl> group, uint32_t settleMs) {
    for (const RelatedControl& control : group) {
        if (!Writable(control)) {
            continue;
        }
        bus::WriteVcp(control.code, static_cast<uint32_t>(control.saved));
        if (settleMs > 0) {
            platform::SleepMs(settleMs);
        }
    }
}

void CheckControls(std::span<const RelatedControl> group, CheckMode mode, bool& pass, ResultText& result) {
    for (const RelatedControl& control : group) {
        CheckVcpValue(control.code, control.TestValue(), pass, result, mode);
    }
}

void SendZeroAndCheck(uint8_t command, std::span<const RelatedControl> group, bool& pass, ResultText& result) {
    if (!op::FullRangeTesting.load()) {
        return;
    }
    bus::WriteVcp(command, 0);
    WaitForResetComplete();
    CheckControls(group, CheckMode::ExpectUnchanged, pass, result);
}

void WaitAndCheckReset(std::span<const RelatedControl> group, bool& pass, ResultText& result) {
    WaitForResetComplete();
    CheckControls(group, CheckMode::ExpectReset, pass, result);
}

int32_t AskEngineer(const char* caption, const char* question) {
    op::PromptCaption = caption;
    op::PromptQuestion = question;
    return op::AskRedoYesNo();
}

}  // namespace kestrova::engine
