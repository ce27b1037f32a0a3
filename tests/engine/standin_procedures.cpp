#include "standin_procedures.h"

#include "catalogue/vcp_catalogue.h"
#include "engine/continuous_checks.h"
#include "engine/result_text.h"
#include "report/report_writer.h"

namespace kestrova::engine::testing {

bool ReadBackStandIn(uint8_t code, ResultText& result) {
    bool pass = true;
    const VcpReading reading = ReadVcpForCheck(code, pass, result);
    if (pass && catalogue::Catalogue()[code].inCaps) {
        AppendResult(result, "Initial, min=%d max=%d cur=%d<BR>", reading.minimum, reading.maximum, reading.current);
    }
    return pass;
}

bool ScreenActionStandIn(uint8_t, ResultText& result) {
    bool pass = true;
    const VcpReading before = ReadVcpForCheck(0x10, pass, result);
    WaitForResetComplete();
    CheckVcpValue(0x10, before.current, pass, result, CheckMode::ExpectUnchanged);
    return pass;
}

void TheftStandIn() {
    report::WriteTheftTableStart();
    report::WritePluginRow(report::kPluginColumnWidths, {"0xFA", "0xFB", "0xFA"}, "Lock the monitor with a PIN", true,
                           "Monitor locked. OK<BR>");
    report::WritePluginRow(report::kPluginColumnWidths, {"0xFE"}, "Unlock with the wrong PIN", false,
                           "Monitor unlocked with a wrong PIN.<BR>");
    report::WritePluginTableEnd();
}

void PipStandIn() {
    report::WritePipTableStart();
    report::WritePluginRow(report::kPluginColumnWidths, {"0xA4", "0xA5"}, "Open the PIP window", true,
                           "PIP window opened correctly. OK<BR>");
    report::WritePluginTableEnd();
}

}  // namespace kestrova::engine::testing
