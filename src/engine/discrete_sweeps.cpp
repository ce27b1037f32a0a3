#include "engine/continuous_checks.h"
#include "engine/discrete_handlers.h"
#include "engine/discrete_value_tables.h"
#include "engine/result_text.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kPresetSettleMs = 64;
constexpr uint32_t kDisplayModeSettleMs = 100;
constexpr uint32_t kScalingSettleMs = 256;
constexpr uint32_t kWriteBackSettleMs = 64;

constexpr uint8_t kRedGain = 0x16;
constexpr uint8_t kGreenGain = 0x18;
constexpr uint8_t kBlueGain = 0x1A;
constexpr uint8_t kBrightness = 0x10;
constexpr uint8_t kContrast = 0x12;

struct Sweep {
    std::span<const ValueName> names;
    const char* subject;  // in the line of an unknown value
    uint32_t settleMs;
    bool readPicture;  // read the gains, brightness and contrast after each value
};

// Describes one listed value; a value the table lacks fails the test.
void DescribeValue(DiscreteTest& test, const Sweep& sweep, int32_t value) {
    if (const std::optional<std::string> line = ValueLine(sweep.names, value)) {
        test.result += *line;
        return;
    }
    test.pass = false;
    AppendResult(test.result, "FAIL - 0x%x - %s UNKNOWN value.<BR>", static_cast<unsigned>(value), sweep.subject);
}

// What the picture settled to after a preset or mode change.
void AppendPicture(DiscreteTest& test) {
    const int32_t red = ReadVcpForCheck(kRedGain, test.pass, test.result).current;
    const int32_t green = ReadVcpForCheck(kGreenGain, test.pass, test.result).current;
    const int32_t blue = ReadVcpForCheck(kBlueGain, test.pass, test.result).current;
    const int32_t brightness = ReadVcpForCheck(kBrightness, test.pass, test.result).current;
    const int32_t contrast = ReadVcpForCheck(kContrast, test.pass, test.result).current;
    AppendResult(test.result, "  r,g,b %d,%d,%d  b/c %d/%d<BR>", red, green, blue, brightness, contrast);
}

// Every listed value is written, an unknown one too: the monitor offered it, so it must take it.
void RunSweep(DiscreteTest& test, const Sweep& sweep) {
    std::vector<int32_t> values;
    if (QuerySupportedValues(test.code, values)) {
        for (int32_t value : values) {
            if (value == 0) {
                continue;
            }
            DescribeValue(test, sweep, value);
            WriteAndWait(test.code, value, sweep.settleMs);
            if (sweep.readPicture) {
                AppendPicture(test);
            }
        }
    }
    WriteAndWait(test.code, test.initial, kWriteBackSettleMs);
}

}  // namespace

void ColorPresetSweep(DiscreteTest& test) {
    RunSweep(test, {ColorPresetNames(), "Color Temp", kPresetSettleMs, true});
}

void DisplayModeSweep(DiscreteTest& test) {
    RunSweep(test, {DisplayModeNames(), "mode", kDisplayModeSettleMs, true});
}

void ScalingSweep(DiscreteTest& test) {
    RunSweep(test, {DisplayScalingNames(), "Scaling", kScalingSettleMs, false});
}

void LanguageList(DiscreteTest& test) {
    // Languages are only described: switching the menu language would strand the engineer.
    std::vector<int32_t> values;
    if (!QuerySupportedValues(test.code, values)) {
        return;
    }
    const Sweep sweep{OsdLanguageNames(), "Language", 0, false};
    for (int32_t value : values) {
        if (value != 0) {
            DescribeValue(test, sweep, value);
        }
    }
}

}  // namespace kestrova::engine
