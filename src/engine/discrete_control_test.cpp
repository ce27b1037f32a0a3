#include "engine/discrete_control_test.h"

#include "app/operator_output.h"
#include "bus/vcp_primitives.h"
#include "engine/discrete_handlers.h"
#include "engine/result_text.h"
#include "engine/theft_pin.h"
#include "engine/write_sequences.h"

namespace kestrova::engine {

namespace {

struct HandlerEntry {
    uint8_t code;
    VcpTag access;
    DiscreteHandler handler;
};

constexpr HandlerEntry kHandlers[] = {
    {0x02, kReadWrite, &NewControlValueSequence},
    {0x14, kReadWrite, &ColorPresetSweep},
    {0x60, kReadWrite, &InputSourceCheck},
    {0x66, kReadWrite, &LightSensorSequence},
    {0x86, kReadWrite, &ScalingSweep},
    {0x8D, kReadWrite, &AudioMuteSequence},
    {0x94, kReadWrite, &AudioStereoSequence},
    {0xA4, kReadWrite, &WindowControlSequence},
    {0xCA, kReadWrite, &OsdSequence},
    {0xCC, kReadWrite, &LanguageList},
    {0xD6, kReadWrite, &PowerModeSequence},
    {0xDC, kReadWrite, &DisplayModeSweep},
    {kTheftModeCode, kReadWrite, &TheftModeStartCheck},
    {0x0B, kReadOnly, &ColorTemperatureIncrementCheck},
    {0x52, kReadOnly, &ActiveControlNote},
    {0xAA, kReadOnly, &AutoPivotNote},
    {0xB2, kReadOnly, &SubPixelLayoutCheck},
    {0xB6, kReadOnly, &DisplayTechnologyNote},
    {0xC0, kReadOnly, &UsageTimeCheck},
    {0xC6, kReadOnly, &ApplicationKeyCheck},
    {0xC8, kReadOnly, &ControllerTypeNote},
    {0xDF, kReadOnly, &VcpVersionCheck},
    {kTheftStateCode, kReadOnly, &TheftStateSequence},
};

DiscreteHandler FindHandler(uint8_t code, const VcpTag& access) {
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

void RunHandler(DiscreteTest& test, const VcpTag& access) {
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
    RunHandler(test, kReadWrite);
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
    const VcpEntry& entry = Catalogue()[code];
    app::LogLine("...testing %s ", test.Name());
    if (entry.access == kReadWrite) {
        TestReadWrite(test);
    } else if (entry.access == kReadOnly) {
        if (ReadOrExplain(test)) {
            RunHandler(test, kReadOnly);
        }
    } else if (entry.access == kWriteOnly) {
        TestWriteOnly(test);
    } else {
        return test.pass;
    }
    if (!test.pass) {
        app::LogLine("......FAILED %s ", test.Name());
    }
    return test.pass;
}

}  // namespace kestrova::engine
