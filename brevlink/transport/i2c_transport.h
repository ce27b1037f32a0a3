// The seam between DDC/CI and a bus: a real /dev/i2c-N adapter, or the simulated monitor lab.
// Addresses are 7-bit (0x37 DDC/CI, 0x50 EDID, 0x30 E-DDC segment pointer).
#pragma once

#include <cstddef>
#include <cstdint>

namespace brevlink {

// One message of a combined transfer.
struct I2cMessage {
    uint8_t address = 0;
    bool read = false;
    uint8_t* data = nullptr;  // written from for a write, read into for a read
    size_t size = 0;
};

// Why the last transaction failed, where the bus can tell.
enum class BusFailure {
    kNone,
    kUnknown,
    kNoAcknowledge,  // the device did not answer (busy display, or nobody at the address)
    kBusy,           // the address belongs to a kernel driver: asking again will not help
    kBusFault,       // the adapter reported an I/O error
};

class I2cTransport {
  public:
    virtual ~I2cTransport() = default;
    // One write transaction to `address`; false when the device does not acknowledge or the bus fails.
    virtual bool Write(uint8_t address, const uint8_t* data, size_t size) = 0;
    // One read transaction of exactly `size` bytes from `address`; false on a bus failure.
    virtual bool Read(uint8_t address, uint8_t* data, size_t size) = 0;
    // The messages as one transaction: repeated starts between them and a single STOP at the end
    // (the E-DDC segment pointer lasts only until a STOP). This default sends them one by one,
    // each with its STOP, for buses that cannot do better.
    virtual bool Transfer(I2cMessage* messages, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            I2cMessage& m = messages[i];
            if (!(m.read ? Read(m.address, m.data, m.size) : Write(m.address, m.data, m.size))) {
                return false;
            }
        }
        return true;
    }
    // A real bus needs the DDC/CI settle times between request and reply; the lab answers at once.
    virtual bool NeedsBusWaits() const = 0;
    virtual BusFailure LastFailure() const { return BusFailure::kUnknown; }
};

}  // namespace brevlink
