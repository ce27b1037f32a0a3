// The report fragments the engine tests expect, built from the writer's own templates.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "report/html_templates.h"

namespace kestrova::engine::testing {

// The template with its first conversion (e.g. "%s") replaced by `value`.
inline std::string Filled(const std::string& templateText, const std::string& conversion, const std::string& value) {
    std::string text = templateText;
    const size_t at = text.find(conversion);
    return at == std::string::npos ? text : text.replace(at, conversion.size(), value);
}

inline std::string ExpectedRow(uint8_t code,
                               const std::string& shownName,
                               const std::string& typeText,
                               bool passed,
                               const std::string& comments) {
    namespace html = report::html;
    char hex[8];
    std::snprintf(hex, sizeof(hex), "%.2x", static_cast<unsigned>(code));
    return std::string(html::kRow) + Filled(html::kVcpCode, "%.2x", hex) + Filled(html::kVcpName, "%s", shownName) +
           Filled(html::kVcpType, "%s", typeText) + (passed ? html::kVcpPass : html::kVcpFail) +
           Filled(html::kVcpComments, "%s", comments) + html::kRowEnd;
}

}  // namespace kestrova::engine::testing
