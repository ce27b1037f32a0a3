// Finding the displays: every bus whose device at 0x50 hands back an EDID block with the fixed
// header is a display. The bus access is a seam, so the logic runs without hardware.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

constexpr uint8_t kEdidAddress = 0x50;
constexpr size_t kEdidBlockSize = 128;
constexpr size_t kMaxDisplays = 16;  // the tester's monitor table

class I2cBusProvider {
  public:
    virtual ~I2cBusProvider() = default;
    // The bus numbers present, in any order.
    virtual std::vector<int> ListBuses() = 0;
    // Null when the bus cannot be opened.
    virtual std::unique_ptr<I2cTransport> OpenBus(int bus) = 0;
};

struct DisplayBus {
    int bus = -1;
    std::array<uint8_t, kEdidBlockSize> edid{};
    bool edidChecksumOk = false;              // kept either way: judging the EDID is the tester's work
    std::unique_ptr<I2cTransport> transport;  // open, for DDC/CI on the same bus
};

bool HasEdidHeader(const uint8_t* edid, size_t size);
bool EdidChecksumOk(const uint8_t* block);  // the 128 bytes sum to 0 modulo 256
// Sets the EDID offset to 0, then reads the base block.
bool ReadEdidBlock(I2cTransport& bus, uint8_t* block);

// In ascending bus order, at most `maxDisplays`.
std::vector<DisplayBus> EnumerateDisplays(I2cBusProvider& provider, size_t maxDisplays = kMaxDisplays);

}  // namespace brevlink
