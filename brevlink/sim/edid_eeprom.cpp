#include "brevlink/sim/edid_eeprom.h"

#include <utility>

namespace brevlink::sim {

EdidEeprom::EdidEeprom(std::vector<uint8_t> edid) : edid_(std::move(edid)) {}

bool EdidEeprom::Write(const uint8_t* data, size_t size) {
    if (edid_.empty() || data == nullptr || size == 0) {
        return !edid_.empty();
    }
    offset_ = data[0];
    return true;
}

bool EdidEeprom::Read(uint8_t* data, size_t size) {
    if (edid_.empty() || data == nullptr) {
        segment_ = 0;
        return false;
    }
    const size_t base = static_cast<size_t>(segment_) * 256;
    for (size_t i = 0; i < size; ++i) {
        const size_t at = base + offset_;
        data[i] = at < edid_.size() ? edid_[at] : 0xFF;
        offset_ = static_cast<uint8_t>(offset_ + 1);  // the word address wraps within a segment
    }
    if (segmentAcrossStop_) {
        segment_ = 0;
    }
    return true;
}

void EdidEeprom::Stop() {
    if (!segmentAcrossStop_) {
        segment_ = 0;
    }
}

bool EdidEeprom::WriteSegment(const uint8_t* data, size_t size) {
    if (edid_.size() <= 256 || data == nullptr || size == 0) {
        return false;  // a monitor without extension segments does not acknowledge 0x30
    }
    segment_ = data[0];
    return true;
}

}  // namespace brevlink::sim
