#include <string>

#include "catalogue/vcp_groups.h"
#include "report/html_templates.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

// Catalogue names start with the code ("0x10 "); the row shows what follows its first four characters.
constexpr size_t kNameCodePrefix = 4;

}  // namespace

void WriteGroupTableStart(const catalogue::VcpGroup& group) {
    ReportWrite("%s", html::kGroupOpen);
    ReportWrite("%s", html::kHeadBigNewline);
    ReportWrite(html::kGroupCaption, group.name.CStr());
    ReportWrite("%s", html::kGroupCaptionEnd);
    ReportWrite("%s", html::kRowEnd);
    ReportWrite("%s", html::kHeadSmall);
    for (const char* head :
         {html::kVcpHeadCode, html::kVcpHeadName, html::kVcpHeadType, html::kVcpHeadVerdict, html::kVcpHeadComments}) {
        ReportWrite("%s", head);
    }
    ReportWrite("%s", html::kRowEnd);
}

void WriteVcpRow(uint8_t code,
                 std::string_view entryName,
                 std::string_view typeText,
                 bool passed,
                 std::string_view comments) {
    const std::string_view shownName = entryName.size() > kNameCodePrefix ? entryName.substr(kNameCodePrefix) : "";
    ReportWrite("%s", html::kRow);
    ReportWrite(html::kVcpCode, static_cast<unsigned>(code));
    ReportWrite(html::kVcpName, std::string(shownName).c_str());
    ReportWrite(html::kVcpType, std::string(typeText).c_str());
    ReportWrite("%s", passed ? html::kVcpPass : html::kVcpFail);
    // A result text may be longer than a formatted line; the cell goes in whole so no tag is cut.
    ReportAppend(FormatText(html::kVcpComments, std::string(comments).c_str()));
    ReportWrite("%s", html::kRowEnd);
}

void WriteGroupTableEnd() {
    ReportWrite("%s", html::kTableEnd);
    ReportWrite("%s", html::kGroupCloseSpace);
}

void WriteGroupSkipped(std::string_view label, const catalogue::VcpGroup& group) {
    ReportWriteLine(html::kGroupSkipped, std::string(label).c_str(), group.name.CStr());
}

}  // namespace kestrova::report
