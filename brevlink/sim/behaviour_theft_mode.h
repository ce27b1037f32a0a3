// Theft deterrence: 0xFA switches theft mode on with the PIN just written to 0xFC (low word) and
// 0xFD (high word), and off only with the same PIN again; 0xFE reports the theft state, raised when
// the monitor is switched off on its panel while theft mode is on. The PIN words are write-only.
// The faulty variants take a wrong PIN, one way or the other.
#pragma once

#include <memory>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

enum class TheftPinFault : uint8_t {
    kNone,
    kAnyPin,        // leaves theft mode with whatever PIN is written
    kSwappedWords,  // takes the PIN with its two words swapped, so the PIN given no longer opens it
};

std::unique_ptr<Behaviour> MakeTheftMode(TheftPinFault fault);

}  // namespace brevlink::sim
