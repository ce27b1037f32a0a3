// What lmscript needs of a monitor: the attached positions, and VCP reads and writes.
#pragma once

#include <cstdint>

namespace kestrova::lmscript {

struct VcpValue {
    uint32_t current = 0;
    uint32_t maximum = 0;
};

class MonitorBus {
  public:
    virtual ~MonitorBus() = default;
    // Bit i (1-16) set: a monitor at position i.
    virtual uint32_t AttachedMask() = 0;
    virtual bool ReadVcp(int monitor, uint8_t code, VcpValue& value) = 0;
    virtual bool WriteVcp(int monitor, uint8_t code, uint16_t value) = 0;
};

// The lowest attached position, 0 when none is attached.
int FirstMonitor(uint32_t mask);

}  // namespace kestrova::lmscript
