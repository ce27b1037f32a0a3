#include "brevlink/sim/sim_bus.h"

#include "brevlink/ddcci/packet.h"

namespace brevlink::sim {

bool SimBus::Write(uint8_t address, const uint8_t* data, size_t size) {
    ++transactions_;
    switch (address) {
        case ddcci::kDisplayAddress:
            return port_.Write(data, size);
        case kEdidAddress:
            return eeprom_.Write(data, size);
        case kSegmentPointerAddress:
            return eeprom_.WriteSegment(data, size);
        default:
            return false;  // nobody there to acknowledge
    }
}

bool SimBus::Read(uint8_t address, uint8_t* data, size_t size) {
    ++transactions_;
    switch (address) {
        case ddcci::kDisplayAddress:
            return port_.Read(data, size);
        case kEdidAddress:
            return eeprom_.Read(data, size);
        default:
            return false;
    }
}

}  // namespace brevlink::sim
