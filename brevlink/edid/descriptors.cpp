#include "brevlink/edid/descriptors.h"

#include <cstring>

namespace brevlink::edid {
namespace {

constexpr size_t kFirstDescriptor = 54;
constexpr size_t kDescriptorCount = 4;
constexpr size_t kTextOffset = 5;
constexpr size_t kTextLength = 13;
constexpr uint8_t kTagSerial = 0xFF;
constexpr uint8_t kTagName = 0xFC;
// A pixel clock under 10 MHz fits no real mode: such bytes are garbage, not a timing.
constexpr unsigned kMinimumClock10Khz = 1000;

// Display descriptor text ends at the line feed, and monitors that pad with NUL or other bytes
// end it there too: only printable ASCII is kept.
void AppendDescriptorText(const uint8_t* d, char* out, size_t capacity) {
    size_t length = std::strlen(out);
    for (size_t i = 0; i < kTextLength; ++i) {
        uint8_t c = d[kTextOffset + i];
        if (c < 0x20 || c > 0x7E || length + 1 >= capacity) {
            break;
        }
        out[length++] = static_cast<char>(c);
    }
    out[length] = '\0';
}

}  // namespace

DetailedTiming DecodeDetailedTiming(const uint8_t* d) {
    DetailedTiming t;
    t.present = true;
    t.pixelClockKhz = (d[0] | (d[1] << 8)) * 10u;
    uint32_t hActive = d[2] | ((d[4] & 0xF0) << 4);
    uint32_t hBlank = d[3] | ((d[4] & 0x0F) << 8);
    uint32_t vActive = d[5] | ((d[7] & 0xF0) << 4);
    uint32_t vBlank = d[6] | ((d[7] & 0x0F) << 8);
    t.widthMm = static_cast<uint16_t>(d[12] | ((d[14] & 0xF0) << 4));
    t.heightMm = static_cast<uint16_t>(d[13] | ((d[14] & 0x0F) << 8));
    t.interlaced = (d[17] & 0x80) != 0;
    t.width = static_cast<uint16_t>(hActive);
    // An interlaced timing gives the lines of one field; the frame has twice as many, and each
    // field carries half a line more of blanking.
    t.height = static_cast<uint16_t>(t.interlaced ? vActive * 2 : vActive);
    uint64_t hTotal = hActive + hBlank;
    uint64_t vTotalTwice = 2 * (vActive + vBlank) + (t.interlaced ? 1 : 0);
    uint64_t denominator = hTotal * vTotalTwice;
    if (denominator != 0) {
        uint64_t numerator = uint64_t{t.pixelClockKhz} * 1000 * 1000000 * 2;
        t.refreshMicroHz = (numerator + denominator / 2) / denominator;
    }
    return t;
}

void DecodeDescriptors(const uint8_t* block, size_t available, EdidInfo& info) {
    for (size_t n = 0; n < kDescriptorCount; ++n) {
        size_t offset = kFirstDescriptor + n * kDescriptorSize;
        if (offset + kDescriptorSize > available) {
            return;
        }
        const uint8_t* d = block + offset;
        unsigned clock10Khz = d[0] | (d[1] << 8);
        if (clock10Khz != 0) {
            if (clock10Khz >= kMinimumClock10Khz && !info.firstTiming.present) {
                info.firstTiming = DecodeDetailedTiming(d);
            }
            continue;
        }
        if (d[3] == kTagName) {
            info.hasMonitorName = true;
            AppendDescriptorText(d, info.monitorName, sizeof(info.monitorName));
        } else if (d[3] == kTagSerial && !info.hasSerialText) {
            info.hasSerialText = true;
            AppendDescriptorText(d, info.serialText, sizeof(info.serialText));
        }
    }
}

}  // namespace brevlink::edid
