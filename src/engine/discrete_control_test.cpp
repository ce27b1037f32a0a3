#include "engine/discrete_control_test.h"

#include "bus/vcp_primitives.h"
#include "engine/discrete_handlers.h"
#include "engine/result_text.h"
#include "engine/theft_pin.h"
#include "engine/write_sequences.h"
#include "operator/operator_output.h"

namespace kestrova::engine {

namespace {

struct HandlerEntry {
    uint8_t code;
    catalogue::VcpTag access;
    DiscreteHandler handler;
};

constexpr HandlerEntry kHandlers[] = {
    {0x02, catalogue::kReadWrite, &NewControlValueSequence},
    {0x14, catalogue::kReadWrite, &ColorPresetSweep},
    {0x60, catalogue::kReadWrite, &InputSourceCheck},
    {0x66, catalogue::kReadWrite, &LightSensorSequence},
    {0x86, catalogue::kReadWrite, &ScalingSweep},
    {0x8D, catalogue::kReadWrite, &AudioMuteSequence},
    {0x94, catalogue::kReadWrite, &AudioStereoSequence},
    {0xA4, catalogue::kReadWrite, &WindowControlSequence},
    {0xCA, catalogue::kReadWrite, &OsdSequence},
    {0xCC, catalogue::kReadWrite, &LanguageList},
    {0xD6, catalogue::kReadWrite, &PowerModeSequence},
    {0xDC, catalogue::kReadWrite, &DisplayModeSweep},
    {kTheftModeCode, catalogue::kReadWrite, &TheftModeStartCheck},
    {0x0B, catalogue::kReadOnly, &ColorTemperatureIncrementCheck},
    {0x52, catalogue::kReadOnly, &ActiveControlNote},
    {0xAA, catalogue::kReadOnly, &AutoPivotNote},
    {0xB2, catalogue::kReadOnly, &SubPixelLayoutCheck},
    {0xB6, catalogue::kReadOnly, &DisplayTechnologyNote},
    {0xC0, catalogue::kReadOnly, &UsageTimeCheck},
    {0xC6, catalogue::kReadOnly, &ApplicationKeyCheck},
    {0xC8, catalogue::kReadOnly, &ControllerTypeNote},
    {0xDF, catalogue::kReadOnly, &VcpVersionCheck},
    {kTheftStateCode, catalogue::kReadOnly, &TheftStateSequence},
};

DiscreteHandler FindHandler(uint8_t code, const catalogue::VcpTag& access) {
    for (const HandlerEntry& entry : kHandlers) {
        if (entry.code == code && entry.access == access) {
            return entry.handler;
        }
    }
    return nullptr;
}

struct FirstRead {
    bool ok = false;
    bool unsupported = false;
};

FirstRead ReadInitial(DiscreteTest& test, bool askUnsupported) {
    uint32_t minimum = 0, maximum = 0, current = 0, unsupported = 0;
    FirstRead read;
    read.ok = bus::ReadVcp(test.code, &minimum, &maximum, &current, askUnsupported ? &unsupported : nullptr);
    read.unsupported = (unsupported & 1u) != 0;
    test.minimum = static_cast<int32_t>(minimum);
    test.maximum = static_cast<int32_t>(maximum);
    test.initial = static_cast<int32_t>(current);
    return read;
}

void AppendInitial(DiscreteTest& test) {
    AppendResult(test.result, "Initial, min=%d max=%d cur=%d<BR>", test.minimum, test.maximum, test.initial);
}

void RunHandler(DiscreteTest& test, const catalogue::VcpTag& access) {
    if (const DiscreteHandler handler = FindHandler(test.code, access)) {
        handler(test);
    } else {
        test.pass = false;
        test.result += "** NC Not tested yet **<BR>";
    }
}

void TestReadWrite(DiscreteTest& test) {
    if (!ReadInitial(test, false).ok) {
        test.pass = false;
        test.result += "...FAILED, get original value<BR>";
        return;
    }
    AppendInitial(test);
    RunHandler(test, catalogue::kReadWrite);
}

// Read-only and write-only controls: a failed first read says whether the monitor disowned the code.
bool ReadOrExplain(DiscreteTest& test) {
    const FirstRead read = ReadInitial(test, true);
    if (read.ok) {
        AppendInitial(test);
        return true;
    }
    test.pass = false;
    AppendResult(test.result, "...FAIL to get current %s<BR>", test.Name());
    if (read.unsupported) {
        AppendResult(test.result, "...Monitor says '%s' is Unsupported<BR>", test.Name());
    }
    return false;
}

void TestWriteOnly(DiscreteTest& test) {
    if (!ReadOrExplain(test)) {
        return;
    }
    // The PIN words are exercised by the theft state test (0xFE).
    if (test.code == kTheftPinLowCode) {
        test.result += "PIN low, functional test using 0xFE later.<BR>";
    } else if (test.code == kTheftPinHighCode) {
        test.result += "PIN high, functional test using 0xFE later.<BR>";
    } else {
        test.pass = false;
        test.result += "** NC Not tested yet **<BR>";
    }
}

}  // namespace

bool DiscreteControlTest(uint8_t code, ResultText& result) {
    DiscreteTest test{code, result};
    const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    op::LogLine("...testing %s ", test.Name());
    if (entry.access == catalogue::kReadWrite) {
        TestReadWrite(test);
    } else if (entry.access == catalogue::kReadOnly) {
        if (ReadOrExplain(test)) {
            RunHandler(test, catalogue::kReadOnly);
        }
    } else if (entry.access == catalogue::kWriteOnly) {
        TestWriteOnly(test);
    } else {
        return test.pass;
    }
    if (!test.pass) {
        op::LogLine("......FAILED %s ", test.Name());
    }
    return test.pass;
}

}  // namespace kestrova::engine
