// An EDID EEPROM at 0x50 on an in-memory bus: a write sets the offset, a read runs on from it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "brevlink/transport/display_enumeration.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink::testing {

// A base block with the fixed header and a valid checksum.
inline std::vector<uint8_t> GoodEdid(uint8_t serial = 1) {
    std::vector<uint8_t> edid(kEdidBlockSize, 0);
    const uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::memcpy(edid.data(), header, sizeof header);
    edid[12] = serial;
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < edid.size(); ++i) {
        sum = static_cast<uint8_t>(sum + edid[i]);
    }
    edid.back() = static_cast<uint8_t>(0x100 - sum);
    return edid;
}

class FakeEdidDevice : public I2cTransport {
  public:
    // An empty `edid`: nothing answers at 0x50.
    explicit FakeEdidDevice(std::vector<uint8_t> edid) : edid_(std::move(edid)) {}

    bool Write(uint8_t address, const uint8_t* data, size_t size) override {
        if (address != kEdidAddress || edid_.empty() || size == 0) {
            return false;
        }
        offset_ = data[0];
        return true;
    }
    bool Read(uint8_t address, uint8_t* data, size_t size) override {
        if (address != kEdidAddress || edid_.empty()) {
            return false;
        }
        for (size_t i = 0; i < size; ++i) {
            data[i] = edid_[(offset_ + i) % edid_.size()];
        }
        return true;
    }
    bool NeedsBusWaits() const override { return true; }

  private:
    std::vector<uint8_t> edid_;
    size_t offset_ = 0;
};

}  // namespace brevlink::testing
