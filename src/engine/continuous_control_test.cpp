#include "engine/continuous_control_test.h"

#include "bus/vcp_primitives.h"
#include "catalogue/vcp_catalogue.h"
#include "engine/continuous_paths.h"
#include "engine/result_text.h"
#include "operator/operator_output.h"

namespace kestrova::engine {

namespace {

constexpr uint8_t kColourTemperatureCode = 0x0C;

}  // namespace

std::optional<VcpReading> ReadStartValue(uint8_t code, ResultText& result) {
    uint32_t minimum = 0, maximum = 0, current = 0, unsupported = 0;
    if (bus::ReadVcp(code, &minimum, &maximum, &current, &unsupported)) {
        return VcpReading{static_cast<int32_t>(minimum), static_cast<int32_t>(maximum), static_cast<int32_t>(current)};
    }
    const char* name = catalogue::Catalogue()[code].name.CStr();
    AppendResult(result, "...FAIL to get current %s<BR>", name);
    if ((unsupported & 1u) != 0) {
        AppendResult(result, "...Monitor says '%s' is Unsupported<BR>", name);
    }
    return std::nullopt;
}

bool ContinuousControlTest(uint8_t code, ResultText& result) {
    const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    op::LogLine("...testing %s ", entry.name.CStr());
    bool pass = true;
    if (code == kColourTemperatureCode) {
        pass = TestColourTemperature(result);
    } else if (entry.access == catalogue::kReadWrite) {
        pass = TestReadWriteControl(code, result);
    } else if (entry.access == catalogue::kReadOnly) {
        pass = TestReadOnlyControl(code, result);
    } else if (entry.access == catalogue::kWriteOnly) {
        pass = false;
        result += "** Not tested yet **<BR>";
    }
    if (!pass) {
        op::LogLine("......FAILED %s ", entry.name.CStr());
    }
    return pass;
}

}  // namespace kestrova::engine
