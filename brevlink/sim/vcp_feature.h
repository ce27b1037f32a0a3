// One VCP feature of a simulated monitor: what a profile declares and what the monitor holds.
#pragma once

#include <cstdint>
#include <vector>

namespace brevlink::sim {

enum class VcpKind : uint8_t {
    kContinuous,
    kNonContinuous,
    kTable,
};

enum class VcpAccess : uint8_t {
    kReadWrite,
    kReadOnly,
    kWriteOnly,
};

struct VcpFeature {
    VcpKind kind = VcpKind::kContinuous;
    VcpAccess access = VcpAccess::kReadWrite;
    bool momentary = false;    // the reply's type byte: 1 momentary, 0 set parameter
    bool unsupported = false;  // listed or not, the monitor answers "unsupported"
    uint16_t current = 0;
    uint16_t maximum = 0;
    uint16_t defaultValue = 0;     // what a restore command puts back
    std::vector<uint16_t> values;  // allowed values; empty: anything up to maximum

    // Whether a write of `value` would be taken: in the list, or within the range.
    bool Accepts(uint16_t value) const;
};

}  // namespace brevlink::sim
