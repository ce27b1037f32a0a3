#include "brevlink/transport/display_enumeration.h"

#include <algorithm>

namespace brevlink {

namespace {

constexpr std::array<uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

}  // namespace

bool HasEdidHeader(const uint8_t* edid, size_t size) {
    return edid != nullptr && size >= kEdidHeader.size() && std::equal(kEdidHeader.begin(), kEdidHeader.end(), edid);
}

bool EdidChecksumOk(const uint8_t* block) {
    uint8_t sum = 0;
    for (size_t i = 0; i < kEdidBlockSize; ++i) {
        sum = static_cast<uint8_t>(sum + block[i]);
    }
    return sum == 0;
}

bool ReadEdidBlock(I2cTransport& bus, uint8_t* block) {
    const uint8_t offset = 0;
    return bus.Write(kEdidAddress, &offset, 1) && bus.Read(kEdidAddress, block, kEdidBlockSize);
}

std::vector<DisplayBus> EnumerateDisplays(I2cBusProvider& provider, size_t maxDisplays) {
    std::vector<int> buses = provider.ListBuses();
    std::sort(buses.begin(), buses.end());
    buses.erase(std::unique(buses.begin(), buses.end()), buses.end());
    std::vector<DisplayBus> displays;
    for (int bus : buses) {
        if (displays.size() >= maxDisplays) {
            break;
        }
        DisplayBus display;
        display.transport = provider.OpenBus(bus);
        if (display.transport == nullptr || !ReadEdidBlock(*display.transport, display.edid.data()) ||
            !HasEdidHeader(display.edid.data(), display.edid.size())) {
            continue;
        }
        display.bus = bus;
        display.edidChecksumOk = EdidChecksumOk(display.edid.data());
        displays.push_back(std::move(display));
    }
    return displays;
}

}  // namespace brevlink
