// The seam between DDC/CI and a bus: a real /dev/i2c-N adapter, or the simulated monitor lab.
// Addresses are 7-bit (0x37 DDC/CI, 0x50 EDID, 0x30 E-DDC segment pointer).
#pragma once

#include <cstddef>
#include <cstdint>

namespace brevlink {

class I2cTransport {
  public:
    virtual ~I2cTransport() = default;
    // One write transaction to `address`; false when the device does not acknowledge or the bus fails.
    virtual bool Write(uint8_t address, const uint8_t* data, size_t size) = 0;
    // One read transaction of exactly `size` bytes from `address`; false on a bus failure.
    virtual bool Read(uint8_t address, uint8_t* data, size_t size) = 0;
    // A real bus needs the DDC/CI settle times between request and reply; the lab answers at once.
    virtual bool NeedsBusWaits() const = 0;
};

}  // namespace brevlink
