#include <algorithm>
#include <cstdlib>
#include <string>

#include "catalogue/vcp_catalogue.h"
#include "operator/operator_output.h"
#include "report/html_templates.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

constexpr char kListSeparator[] = ", ";
constexpr char kVerified[] = " Verified in Capability String, ";
constexpr char kNotListed[] = " Not in Capapability String, ";
constexpr char kLineBreak[] = "<BR>";

void WriteTableStart(const char* title, const char* caption) {
    ReportWrite("%s", html::kSpace);
    ReportWrite("%s", html::kPluginOpen);
    ReportWrite("%s", title);
    ReportWrite("%s", html::kTable2);
    ReportWrite("%s", html::kHeadBig);
    ReportWrite("%s", caption);
    ReportWrite("%s", html::kRowEnd);
    ReportWrite("%s", html::kHeadSmall);
    for (const char* head :
         {html::kPluginHeadCodes, html::kPluginHeadDescription, html::kPluginHeadVerdict, html::kPluginHeadComments}) {
        ReportWrite("%s", head);
    }
    ReportWrite("%s", html::kRowEnd);
}

// Each code once, in order of first use.
std::vector<std::string> DistinctCodes(const std::vector<std::string>& codes) {
    std::vector<std::string> distinct;
    for (const std::string& code : codes) {
        if (std::find(distinct.begin(), distinct.end(), code) == distinct.end()) {
            distinct.push_back(code);
        }
    }
    return distinct;
}

// "0xA5" read as a hexadecimal number; a text that is no code of the catalogue is never listed.
bool ListedInCaps(const std::string& codeText) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(codeText.c_str(), &end, 16);
    if (end == codeText.c_str() || value > 0xFF) {
        return false;
    }
    return catalogue::Catalogue()[static_cast<uint8_t>(value)].inCaps;
}

void DropTail(std::string& text, size_t count) {
    text.resize(text.size() >= count ? text.size() - count : 0);
}

}  // namespace

void WriteTheftTableStart() {
    WriteTableStart(html::kTheftTitle, html::kTheftCaption);
}

void WritePipTableStart() {
    WriteTableStart(html::kPipTitle, html::kPipCaption);
}

std::string PluginCodesText(const std::vector<std::string>& codes) {
    std::string text;
    for (const std::string& code : DistinctCodes(codes)) {
        text += code;
        text += kListSeparator;
    }
    DropTail(text, sizeof(kListSeparator) - 1);
    return text;
}

std::string PluginCommentsText(const std::vector<std::string>& codes, std::string_view result) {
    std::string text;
    for (const std::string& code : DistinctCodes(codes)) {
        text += code;
        text += ListedInCaps(code) ? kVerified : kNotListed;
        text += kLineBreak;
    }
    // The last ", <BR>" goes; the result follows on a line of its own.
    DropTail(text, sizeof(kListSeparator) - 1 + sizeof(kLineBreak) - 1);
    text += kLineBreak;
    text.append(result);
    return text;
}

void WritePluginRow(const PluginColumnWidths& widths,
                    const std::vector<std::string>& codes,
                    std::string_view description,
                    bool passed,
                    std::string_view result) {
    const std::string codesText = PluginCodesText(codes);
    const std::string comments = PluginCommentsText(codes, result);

    const std::string descriptionText(description);
    // Cells are formatted whole: a comments text may be longer than one formatted line.
    ReportWrite("%s", html::kRow);
    if (passed) {
        ReportAppend(FormatText(html::kPluginCells, widths[0], codesText.c_str(), widths[1], descriptionText.c_str(),
                                widths[2], "Pass", widths[3], comments.c_str()));
    } else {
        ReportAppend(FormatText(html::kPluginCell, widths[0], codesText.c_str()));
        ReportAppend(FormatText(html::kPluginCell, widths[1], descriptionText.c_str()));
        ReportWrite(html::kPluginFail, widths[2], "FAIL");
        ReportAppend(FormatText(html::kPluginCell, widths[3], comments.c_str()));
        op::LogLine("......FAILED");
    }
    ReportWrite("%s", html::kRowEnd);
}

void WritePluginTableEnd() {
    ReportWrite("%s", html::kTableEnd);
    ReportWriteLine("%s", html::kSpace);
    ReportWriteLine("%s", html::kSpaceNewline);
}

}  // namespace kestrova::report
