// Finding a user colour preset: many monitors take new video gains only while a user preset
// (0x0B, 0x0C or 0x0D) is selected, so the gain tests switch to one first.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrova::engine {

inline constexpr uint8_t kColourPresetCode = 0x14;

// The first user preset in the order the capabilities list the values of 0x14 (at most 20 are
// looked at), or nothing when the query fails or lists none.
std::optional<int32_t> FirstListedUserPreset();

}  // namespace kestrova::engine
