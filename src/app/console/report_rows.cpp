#include "app/console/report_rows.h"

#include <algorithm>
#include <cctype>

#include "report/html_templates.h"

namespace kestrova::app::console {

namespace {

namespace html = report::html;

// The fixed text of a template before its first conversion.
std::string_view Prefix(std::string_view format) {
    return format.substr(0, format.find('%'));
}

// A cell's content from `at` (pointing at its opening tag) to `close`; moves `at` past it.
// With `last`, the content runs to the final `close` of the row, as a comments cell may hold tags.
bool TakeCell(std::string_view row, size_t& at, std::string_view close, bool last, std::string& content) {
    const size_t open = row.find('>', at);
    if (open == std::string_view::npos) {
        return false;
    }
    const size_t end = last ? row.rfind(close) : row.find(close, open + 1);
    if (end == std::string_view::npos || end < open) {
        return false;
    }
    content = std::string(row.substr(open + 1, end - open - 1));
    at = end + close.size();
    return true;
}

bool ReadVcpRow(std::string_view row, ReportRow& out) {
    size_t at = 0;
    std::string code;
    std::string name;
    std::string type;
    if (!TakeCell(row, at, "</th>", false, code) || !TakeCell(row, at, "</span></th>", false, name) ||
        !TakeCell(row, at, "</th>", false, type)) {
        return false;
    }
    out.passed = row.substr(at).rfind(html::kVcpPass, 0) == 0;
    at += out.passed ? std::string_view(html::kVcpPass).size() : std::string_view(html::kVcpFail).size();
    if (!TakeCell(row, at, "</th>", true, out.comments)) {
        return false;
    }
    // The log writes codes as "0xAE"; the report's "0xae" and the name's leading blank are its own.
    for (size_t i = 2; i < code.size(); ++i) {
        code[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(code[i])));
    }
    const size_t nameStart = name.find_first_not_of(' ');
    out.name = code + " " + (nameStart == std::string::npos ? std::string() : name.substr(nameStart));
    return true;
}

bool ReadPluginRow(std::string_view row, ReportRow& out) {
    size_t at = 0;
    std::string verdict;
    if (!TakeCell(row, at, "</td>", false, out.codes) || !TakeCell(row, at, "</td>", false, out.name) ||
        !TakeCell(row, at, "</td>", false, verdict) || !TakeCell(row, at, "</td>", true, out.comments)) {
        return false;
    }
    out.passed = verdict == "Pass";
    return true;
}

}  // namespace

std::vector<ReportRow> ReadReportRows(std::string_view html) {
    const std::string_view groupCaption = Prefix(html::kGroupCaption);
    // Both plug-in captions open with the same cell tag.
    const std::string_view theftCaption = html::kTheftCaption;
    const std::string_view pluginCaption = theftCaption.substr(0, theftCaption.find('>') + 1);
    const std::string_view rowStart = html::kRow;
    const std::string_view vcpCode = Prefix(html::kVcpCode);

    std::vector<ReportRow> rows;
    std::string group;
    std::string table;
    size_t at = 0;
    for (;;) {
        const size_t nextGroup = html.find(groupCaption, at);
        const size_t nextPlugin = html.find(pluginCaption, at);
        const size_t nextRow = html.find(rowStart, at);
        const size_t next = std::min({nextGroup, nextPlugin, nextRow});
        if (next == std::string_view::npos) {
            break;
        }
        if (next == nextGroup || next == nextPlugin) {
            const size_t begin = next + (next == nextGroup ? groupCaption.size() : pluginCaption.size());
            const size_t end = html.find("</td>", begin);
            if (end == std::string_view::npos) {
                break;
            }
            (next == nextGroup ? group : table) = std::string(html.substr(begin, end - begin));
            if (next == nextGroup) {
                table.clear();
            }
            at = end;
            continue;
        }
        const size_t begin = next + rowStart.size();
        const size_t end = html.find(html::kRowEnd, begin);
        if (end == std::string_view::npos) {
            break;
        }
        const std::string_view row = html.substr(begin, end - begin);
        ReportRow parsed;
        parsed.group = group;
        parsed.table = table;
        // Rows of the hardware and EDID tables stand outside any group and are no findings.
        const bool read =
            row.rfind(vcpCode, 0) == 0 ? ReadVcpRow(row, parsed) : !table.empty() && ReadPluginRow(row, parsed);
        if (read && !group.empty()) {
            if (row.rfind(vcpCode, 0) == 0) {
                parsed.table.clear();
            }
            rows.push_back(std::move(parsed));
        }
        at = end;
    }
    return rows;
}

}  // namespace kestrova::app::console
