// Writes parsed capabilities back as text, so that test tables state expectations in the form a
// monitor would send them: "02 14(01 05) DC(00(00 10) 01)".
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/caps_query.h"

namespace brevlink::caps::test {

inline std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, value > 0xFF ? "%04X" : "%02X", value);
    return text;
}

inline void AppendWord(std::string& text, const std::string& word) {
    if (!text.empty()) {
        text += ' ';
    }
    text += word;
}

inline std::string RenderValues(const std::vector<uint16_t>& values) {
    std::string text;
    for (uint16_t value : values) {
        AppendWord(text, Hex(value));
    }
    return text;
}

inline std::string RenderEntries(const std::vector<VcpEntry>& entries) {
    std::string text;
    for (const VcpEntry& entry : entries) {
        AppendWord(text, Hex(entry.code));
        if (!entry.hasValueList) {
            continue;
        }
        text += "(";
        for (size_t i = 0; i < entry.values.size(); ++i) {
            if (i > 0) {
                text += ' ';
            }
            text += Hex(entry.values[i]);
            for (const VcpSubList& sub : entry.subLists) {
                if (sub.parent == entry.values[i]) {
                    text += '(';
                    text += RenderValues(sub.values);
                    text += ')';
                }
            }
        }
        text += ")";
    }
    return text;
}

// Fields as name(trimmed value), one space between; an inferred field has an empty name.
inline std::string RenderFields(const Capabilities& caps) {
    std::string text;
    for (const CapsField& field : caps.fields) {
        std::string_view value = field.value;
        while (!value.empty() && value.front() == ' ') {
            value.remove_prefix(1);
        }
        while (!value.empty() && value.back() == ' ') {
            value.remove_suffix(1);
        }
        AppendWord(text, field.name);
        text += '(';
        text += value;
        text += ')';
    }
    return text;
}

}  // namespace brevlink::caps::test
