// The PINs the tester uses on a monitor's theft deterrence feature. A PIN is always written as two
// separate VCP writes, low word (0xFC) first, then high word (0xFD); never as one number.
#pragma once

#include <cstdint>

namespace kestrova::engine {

struct TheftPin {
    uint16_t low;
    uint16_t high;
};

inline constexpr uint8_t kTheftModeCode = 0xFA;
inline constexpr uint8_t kTheftTimeoutCode = 0xFB;
inline constexpr uint8_t kTheftPinLowCode = 0xFC;
inline constexpr uint8_t kTheftPinHighCode = 0xFD;
inline constexpr uint8_t kTheftStateCode = 0xFE;

inline constexpr TheftPin kTestPin{0x3B27, 0x00D9};
inline constexpr TheftPin kFirstWrongPin{0x5C19, 0x00B2};
inline constexpr TheftPin kSecondWrongPin{0x2E84, 0x01C6};

}  // namespace kestrova::engine
