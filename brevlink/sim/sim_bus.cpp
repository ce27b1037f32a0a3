#include "brevlink/sim/sim_bus.h"

#include "brevlink/ddcci/packet.h"

namespace brevlink::sim {

bool SimBus::WriteOne(uint8_t address, const uint8_t* data, size_t size) {
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

bool SimBus::ReadOne(uint8_t address, uint8_t* data, size_t size) {
    switch (address) {
        case ddcci::kDisplayAddress:
            return port_.Read(data, size);
        case kEdidAddress:
            return eeprom_.Read(data, size);
        default:
            return false;
    }
}

bool SimBus::Write(uint8_t address, const uint8_t* data, size_t size) {
    ++transactions_;
    const bool ok = WriteOne(address, data, size);
    eeprom_.Stop();
    return ok;
}

bool SimBus::Read(uint8_t address, uint8_t* data, size_t size) {
    ++transactions_;
    const bool ok = ReadOne(address, data, size);
    eeprom_.Stop();
    return ok;
}

bool SimBus::Transfer(I2cMessage* messages, size_t count) {
    ++transactions_;
    bool ok = messages != nullptr && count > 0;
    for (size_t i = 0; ok && i < count; ++i) {
        const I2cMessage& m = messages[i];
        ok = m.read ? ReadOne(m.address, m.data, m.size) : WriteOne(m.address, m.data, m.size);
    }
    eeprom_.Stop();
    return ok;
}

}  // namespace brevlink::sim
