// The rows of a saved check-off report read back: one per tested VCP code and one per manual
// plug-in step, with the verdict and comments the report shows. The report is the record of a run,
// so what CI is told is exactly what the engineer reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova::app::console {

struct ReportRow {
    std::string group;  // caption of the group table the row stands in
    std::string table;  // "" for a VCP row, else the plug-in table ("Theft Deterrence Manual Test")
    std::string name;   // "0x10 Brightness/Luminance", or the plug-in step's description
    std::string codes;  // plug-in rows: the codes the step used ("0xFA, 0xFB")
    bool passed = true;
    std::string comments;  // the comments cell, HTML as written
};

// Rows in report order; the cover, summary, hardware and EDID sections hold none.
std::vector<ReportRow> ReadReportRows(std::string_view html);

}  // namespace kestrova::app::console
