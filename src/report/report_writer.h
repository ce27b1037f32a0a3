// The section writers of the check-off report, in the order a run calls them, and the save step.
// All run on the test thread and write ReportBody unless said otherwise. Texts that come from the
// monitor or the engineer are HTML-escaped ('&', '<', '>'); result texts and comments are HTML
// fragments already and go in as they are.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_body.h"
#include "report/report_texts.h"

namespace kestrova::bus {
struct MonitorRecord;
}

namespace kestrova::catalogue {
struct VcpGroup;
}

namespace kestrova::report {

// The cover page of the current monitor, check-off information and run settings, replacing
// ReportCover. Date and time come from platform::CurrentDateTimeSource().
void WriteCoverPage();

// Monitor, graphics card and Windows device facts of the current monitor (Manual runs).
void WriteHardwareSection();

// The current monitor's raw capabilities string, fetched under the wrapper's bus lock.
void WriteCapsSection();

// The 21-row EDID table of the current monitor.
void WriteEdidSection();

// Heading and column heads of a group's VCP table (caption: the group's name).
void WriteGroupTableStart(const catalogue::VcpGroup& group);
// One VCP result row. `entryName` is the catalogue entry's full name ("0x10 Brightness/Luminance");
// the row shows it less its first four characters. `typeText` e.g. "RW , C"; `comments` the
// entry's result text, written whole.
void WriteVcpRow(uint8_t code,
                 std::string_view entryName,
                 std::string_view typeText,
                 bool passed,
                 std::string_view comments);
void WriteGroupTableEnd();
// "<label><name> skipped.\n<BR>" for an unticked group; `label` e.g. "b) ".
void WriteGroupSkipped(std::string_view label, const catalogue::VcpGroup& group);

// Heading and column heads of the two manual plug-in tables.
void WriteTheftTableStart();
void WritePipTableStart();

// Column widths of a plug-in row: codes, description, verdict, comments.
using PluginColumnWidths = std::array<int, 4>;
inline constexpr PluginColumnWidths kPluginColumnWidths = {260, 300, 60, 260};

// One manual plug-in step. `codes` are the code texts ("0xA4", ...) the step used, in order; each
// is listed once. A failed row also logs "......FAILED".
void WritePluginRow(const PluginColumnWidths& widths,
                    const std::vector<std::string>& codes,
                    std::string_view description,
                    bool passed,
                    std::string_view result);
// "</table>", then "&nbsp;" and "&nbsp;\n" as lines.
void WritePluginTableEnd();

// The codes cell of a plug-in row: "0xA4, 0xA5" (each code once, in order of first use).
std::string PluginCodesText(const std::vector<std::string>& codes);
// The comments cell: per listed code whether the capabilities string lists it, then the result.
std::string PluginCommentsText(const std::vector<std::string>& codes, std::string_view result);

// The proposed file name "VCP Check <manufacturer> <model>.html"; characters that cannot stand in
// a file name are replaced by '_' so a monitor's texts never steer the save into another folder.
std::string ProposedReportName(const bus::MonitorRecord& record);

// Writes cover, summary and the used body, byte for byte, to `path` (created or truncated).
// False when the file cannot be created or written in full.
bool WriteReportFile(const std::string& path);

// Asks for the file name and writes the report; when the file cannot be written the engineer is
// told in an "Error" box naming the path and asked again, until the report is saved or the dialog
// is cancelled. Frees ReportBody in every case. True when saved.
bool SaveReport();

}  // namespace kestrova::report
