#include "engine/code_dispatch.h"

#include <string_view>

#include "engine/result_text.h"
#include "engine/test_procedure.h"
#include "operator/operator_output.h"
#include "report/report_texts.h"
#include "report/report_writer.h"

namespace kestrova::engine {

namespace {

constexpr char kVerifiedInCaps[] = "Verified in Capability String<BR>";
constexpr char kNotTestedYet[] = "**NOTE: Not tested yet**<BR>";
constexpr char kNotInCaps[] = "...WARNING, not in caps string<BR>";

// The name less its "0xNN" prefix; the blank after the prefix stays.
std::string_view ShortName(const catalogue::VcpEntry& entry) {
    const std::string_view name = entry.name.View();
    return name.size() > 4 ? name.substr(4) : std::string_view();
}

}  // namespace

std::string VcpTypeText(const catalogue::VcpEntry& entry) {
    std::string text;
    if (entry.access == catalogue::kReadOnly || entry.access == catalogue::kReadWrite ||
        entry.access == catalogue::kWriteOnly) {
        text.append(entry.access.Text()).append(" ");
    }
    if (entry.type == catalogue::kContinuous || entry.type == catalogue::kTable ||
        entry.type == catalogue::kNonContinuous) {
        text.append(", ").append(entry.type.Text());
    }
    return text;
}

std::string VcpFailureText(const catalogue::VcpEntry& entry) {
    std::string text;
    AppendResult(text, "<BR>VCP Code: 0x%02X ", entry.code);
    text.append(ShortName(entry));
    text.append("<BR>Type: ").append(VcpTypeText(entry)).append("<BR>");
    return text;
}

void TestVcpCode(bool selected, uint8_t code) {
    if (!selected) {
        return;
    }
    catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
    const std::string typeText = VcpTypeText(entry);
    std::string failureText = VcpFailureText(entry);

    ResultText result;
    if (entry.inCaps) {
        result += kVerifiedInCaps;
    }
    // A code standing in several groups runs once per run; its later rows repeat the stored outcome.
    if (!entry.tested) {
        if (entry.procedure == catalogue::kProcedureManufacturer) {
            // Nothing is known about a manufacturer's own codes: nothing run, nothing marked.
        } else if (TestProcedure procedure = FindTestProcedure(entry.procedure); procedure != nullptr) {
            const bool passed = procedure(code, result);
            entry.tested = true;
            entry.passed = passed;
            entry.comments = result;
        } else {
            result += kNotTestedYet;
            entry.comments = result;
            entry.passed = false;
        }
        if (!entry.inCaps) {
            result += kNotInCaps;
            entry.comments += kNotInCaps;
            entry.passed = false;
        }
    }

    report::WriteVcpRow(code, entry.name.View(), typeText, entry.passed, entry.comments);
    if (!entry.passed) {
        op::LogLine("......FAILED");
        failureText.append(entry.comments).append("<BR>");
        // A code that was never run fails its row but is no finding of the monitor's.
        if (entry.tested) {
            report::ReportSummary.Append("FAILED." + failureText + "<br>");
        }
    }
}

}  // namespace kestrova::engine
