// Test blocks: a real base block (Dell P2419H, EDID 1.3, its extension count set to 0) patched per
// case, checksums fixed last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace brevlink::edid::testing {

// edid-decode prints for it: DEL, model 53466, serial 825247052, week 5 of 2021, 1.3, digital,
// 53 cm x 30 cm, gamma 2.20, red 0.6523, 0.3359, green 0.3212, 0.6103, blue 0.1533, 0.0605,
// white 0.3134, 0.3291, DTD 1 1920x1080 60.000000 Hz, serial '4WDW993', name 'DELL P2419H'.
inline std::vector<uint8_t> SampleBlock() {
    return {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x10, 0xac, 0xda, 0xd0, 0x4c, 0x45, 0x30, 0x31,
            0x05, 0x1f, 0x01, 0x03, 0x80, 0x35, 0x1e, 0x78, 0xea, 0x05, 0x65, 0xa7, 0x56, 0x52, 0x9c, 0x27,
            0x0f, 0x50, 0x54, 0xa5, 0x4b, 0x00, 0x71, 0x4f, 0x81, 0x80, 0xa9, 0xc0, 0xd1, 0xc0, 0x01, 0x01,
            0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x3a, 0x80, 0x18, 0x71, 0x38, 0x2d, 0x40, 0x58, 0x2c,
            0x45, 0x00, 0x0f, 0x28, 0x21, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00, 0xff, 0x00, 0x34, 0x57, 0x44,
            0x57, 0x39, 0x39, 0x33, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0xfc, 0x00, 0x44,
            0x45, 0x4c, 0x4c, 0x20, 0x50, 0x32, 0x34, 0x31, 0x39, 0x48, 0x0a, 0x20, 0x00, 0x00, 0x00, 0xfd,
            0x00, 0x38, 0x4c, 0x1e, 0x53, 0x11, 0x00, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x36};
}

// Offsets of the four descriptors.
constexpr size_t kDescriptor1 = 54;
constexpr size_t kDescriptor2 = 72;
constexpr size_t kDescriptor3 = 90;
constexpr size_t kDescriptor4 = 108;

struct Patch {
    size_t offset;
    std::vector<uint8_t> bytes;
};

inline void FixChecksum(std::vector<uint8_t>& data, size_t block) {
    size_t start = block * 128;
    unsigned sum = 0;
    for (size_t i = start; i < start + 127; ++i) {
        sum += data[i];
    }
    data[start + 127] = static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

// The sample block with `patches` applied and its checksum made right again.
inline std::vector<uint8_t> Patched(const std::vector<Patch>& patches) {
    std::vector<uint8_t> block = SampleBlock();
    for (const Patch& p : patches) {
        for (size_t i = 0; i < p.bytes.size(); ++i) {
            block[p.offset + i] = p.bytes[i];
        }
    }
    FixChecksum(block, 0);
    return block;
}

// A display descriptor with tag `tag` and up to 13 bytes of text, padded as monitors do.
inline Patch Descriptor(size_t offset, uint8_t tag, std::string_view text) {
    std::vector<uint8_t> d = {0, 0, 0, tag, 0};
    for (char c : text.substr(0, 13)) {
        d.push_back(static_cast<uint8_t>(c));
    }
    if (d.size() < 18) {
        d.push_back(0x0a);
    }
    while (d.size() < 18) {
        d.push_back(0x20);
    }
    return {offset, d};
}

// A descriptor of a kind the decoder ignores (dummy, tag 0x10).
inline Patch Dummy(size_t offset) {
    Patch p{offset, std::vector<uint8_t>(18, 0)};
    p.bytes[3] = 0x10;
    return p;
}

}  // namespace brevlink::edid::testing
