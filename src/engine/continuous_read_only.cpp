// Path O: a read-only control is read once and its value judged against fixed bounds. Only the
// vertical frequency is left to the engineer's eye in Manual mode: the picture shows whether it is
// right better than any bound.
#include <cstdio>

#include "engine/continuous_paths.h"
#include "engine/result_text.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kHorizontalFrequencyCode = 0xAC;
constexpr uint8_t kVerticalFrequencyCode = 0xAE;
constexpr uint8_t kDescriptorLengthCode = 0xC2;
constexpr uint8_t kFirmwareLevelCode = 0xC9;

constexpr float kLowestHorizontalKhz = 50.0f;
constexpr float kHighestHorizontalKhz = 90.0f;
constexpr float kLowestVerticalHz = 40.0f;
constexpr float kHighestVerticalHz = 80.0f;
constexpr int32_t kShortestDescriptor = 2;
constexpr int32_t kLongestDescriptor = 256;
constexpr int32_t kFirstReleasedFirmware = 0x100;  // version 1.0

// The reported value in hundredths; the fraction is dropped before the bounds are applied.
float Hundredths(int32_t current) {
    return static_cast<float>(current / 100);
}

bool JudgeHorizontalFrequency(int32_t current, ResultText& result) {
    const float khz = Hundredths(current);
    AppendResult(result, "Horz Freq is %3.2f KHz<BR>", static_cast<double>(khz));
    if (khz < kLowestHorizontalKhz || khz > kHighestHorizontalKhz) {
        result += "...FAILED, exp from 50KHz to 90KHz<BR>";
        return false;
    }
    return true;
}

bool JudgeVerticalFrequency(int32_t current, ResultText& result) {
    const float hz = Hundredths(current);
    AppendResult(result, "Vert Freq is %3.2f Hz<BR>", static_cast<double>(hz));
    if (op::TestMode.load() == op::kManualMode) {
        char text[96];
        std::snprintf(text, sizeof(text), "Vertical Frequency is %3.2f Is this correct?", static_cast<double>(hz));
        return op::ShowMessageBox("0xAE VertFreq", text, op::MessageButtons::kYesNo) == op::MessageAnswer::kYes;
    }
    if (hz < kLowestVerticalHz || hz > kHighestVerticalHz) {
        result += "...FAILED, exp from 40Hz to 80Hz<BR>";
        return false;
    }
    return true;
}

bool JudgeDescriptorLength(int32_t current, ResultText& result) {
    AppendResult(result, "Desc area length is %d bytes<BR>", current);
    if (current < kShortestDescriptor || current > kLongestDescriptor) {
        result += "...FAILED, exp from 2 to 256 bytes<BR>";
        return false;
    }
    return true;
}

bool JudgeFirmwareLevel(int32_t current, ResultText& result) {
    AppendResult(result, "Firmware version is %d.%d<BR>", (current >> 8) & 0xFF, current & 0xFF);
    if (current < kFirstReleasedFirmware) {
        result += "...FAILED, version is lower than V 1.0<BR>";
        return false;
    }
    return true;
}

}  // namespace

bool TestReadOnlyControl(uint8_t code, ResultText& result) {
    const std::optional<VcpReading> reading = ReadStartValue(code, result);
    if (!reading) {
        return false;
    }
    AppendResult(result, "Initial, min=%d max=%d cur=%d<BR>", reading->minimum, reading->maximum, reading->current);
    switch (code) {
        case kHorizontalFrequencyCode:
            return JudgeHorizontalFrequency(reading->current, result);
        case kVerticalFrequencyCode:
            return JudgeVerticalFrequency(reading->current, result);
        case kDescriptorLengthCode:
            return JudgeDescriptorLength(reading->current, result);
        case kFirmwareLevelCode:
            return JudgeFirmwareLevel(reading->current, result);
        default:
            result += "** Not tested yet **<BR>";
            return false;
    }
}

}  // namespace kestrova::engine
