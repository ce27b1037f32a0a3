// The value tables of the discrete controls: what each listed value of a control means. A value's
// line reads "0xNN - <name><BR>"; a value the table lacks has no name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrova::engine {

struct ValueName {
    int32_t value;
    const char* name;
};

std::span<const ValueName> ColorPresetNames();        // 0x14
std::span<const ValueName> DisplayModeNames();        // 0xDC
std::span<const ValueName> DisplayScalingNames();     // 0x86
std::span<const ValueName> OsdLanguageNames();        // 0xCC
std::span<const ValueName> SubPixelLayoutNames();     // 0xB2
std::span<const ValueName> DisplayTechnologyNames();  // 0xB6
std::span<const ValueName> ControllerTypeNames();     // 0xC8

// Null when the table has no entry for `value`.
const char* FindValueName(std::span<const ValueName> table, int32_t value);

// "0x05 - 6500K<BR>"; nothing when the table has no entry for `value`.
std::optional<std::string> ValueLine(std::span<const ValueName> table, int32_t value);

// The input source (0x60) as the engineer is asked about it; "UNKNOWN" for a value the table lacks.
const char* InputSourceName(int32_t value);

}  // namespace kestrova::engine
