// What the Wr caps exports answer, read from a parsed capabilities string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "brevlink/caps/capabilities.h"

namespace brevlink::caps {

size_t DiscreteCount(const Capabilities& caps);
size_t ContinuousCount(const Capabilities& caps);
// The n-th code listed with a value list, in string order; nullptr past the end.
const VcpEntry* DiscreteEntry(const Capabilities& caps, size_t index);
// The n-th code listed without one.
std::optional<uint8_t> ContinuousCode(const Capabilities& caps, size_t index);
// The page-0 entry of a code; nullptr when the string does not list it.
const VcpEntry* FindEntry(const Capabilities& caps, uint8_t code);
bool IsCodeListed(const Capabilities& caps, uint8_t code);

// The trimmed value of the first field with this keyword; empty when there is none.
std::string_view FieldValue(const Capabilities& caps, Keyword keyword);
std::string_view ProtText(const Capabilities& caps);
std::string_view DisplayTypeText(const Capabilities& caps);
std::string_view ModelText(const Capabilities& caps);
std::string_view MccsVersionText(const Capabilities& caps);
std::string_view MswhqlText(const Capabilities& caps);
std::string_view AssetEepText(const Capabilities& caps);
// mpu_ver, or mpu where a monitor writes that instead.
std::string_view MpuVersionText(const Capabilities& caps);

struct MccsVersion {
    uint8_t major = 0;
    uint8_t minor = 0;
};
// "2.2", "2" (no minor) and "0201" (two bytes, as some monitors write it).
std::optional<MccsVersion> ParseMccsVersion(std::string_view text);

// The values as "00 01 02": two upper-case hex digits each (four above FF), one space between.
// Always NUL-terminated within `capacity`; a value that does not fit is left out whole, never cut.
// Returns the length written without the NUL.
size_t FormatValueList(const VcpEntry& entry, char* buffer, size_t capacity);

// Copies up to `capacity` values; returns how many were copied.
size_t CopyValues(const VcpEntry& entry, uint32_t* values, size_t capacity);

}  // namespace brevlink::caps
