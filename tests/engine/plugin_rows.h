// The rows of a manual plug-in table as the engine tests read them back out of the report body.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "report/html_templates.h"

namespace kestrova::engine::testing {

struct PluginRowCells {
    std::string codes;
    std::string description;
    bool passed = false;
    std::string comments;

    bool operator==(const PluginRowCells&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PluginRowCells& row) {
    return out << "{" << row.codes << " | " << row.description << " | " << (row.passed ? "Pass" : "FAIL") << " | "
               << row.comments << "}";
}

// The rows of the first table under `caption` (html::kPipCaption or kTheftCaption), up to its end;
// empty when the body holds no such table. A cell runs from its tag's '>' to "</td>".
inline std::vector<PluginRowCells> PluginRows(std::string_view body, std::string_view caption) {
    std::vector<PluginRowCells> rows;
    size_t at = body.find(caption);
    if (at == std::string_view::npos) {
        return rows;
    }
    const size_t end = body.find(report::html::kTableEnd, at);
    const std::string_view rowStart = report::html::kRow;
    for (at = body.find(rowStart, at); at < end; at = body.find(rowStart, at)) {
        at += rowStart.size();
        std::vector<std::string> cells;
        for (int i = 0; i < 4; ++i) {
            const size_t open = body.find("<td", at);
            const size_t from = body.find('>', open) + 1;
            const size_t to = body.find("</td>", from);
            cells.emplace_back(body.substr(from, to - from));
            at = to + 5;
        }
        rows.push_back({cells[0], cells[1], cells[2] == "Pass", cells[3]});
    }
    return rows;
}

}  // namespace kestrova::engine::testing
