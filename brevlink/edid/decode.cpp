#include "brevlink/edid/edid.h"

#include <algorithm>
#include <cstring>

#include "brevlink/edid/descriptors.h"

namespace brevlink::edid {
namespace {

constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
// Like most hosts, a header with up to two wrong bytes still counts as one.
constexpr int kHeaderMinimumMatches = 6;
constexpr size_t kExtensionCountOffset = 126;

bool ChecksumOk(const uint8_t* block) {
    unsigned sum = 0;
    for (size_t i = 0; i < kBlockSize; ++i) {
        sum += block[i];
    }
    return (sum & 0xFF) == 0;
}

HeaderState ReadHeader(std::span<const uint8_t> data) {
    int matches = 0;
    for (size_t i = 0; i < sizeof(kHeader) && i < data.size(); ++i) {
        matches += data[i] == kHeader[i] ? 1 : 0;
    }
    if (matches == static_cast<int>(sizeof(kHeader))) {
        return HeaderState::kValid;
    }
    return matches >= kHeaderMinimumMatches ? HeaderState::kRepaired : HeaderState::kMissing;
}

// Block count, checksums and extension tags; the extensions' contents are not decoded.
void ReadStructure(std::span<const uint8_t> data, EdidInfo& info) {
    info.baseComplete = data.size() >= kBlockSize;
    info.baseChecksumOk = info.baseComplete && ChecksumOk(data.data());
    info.declaredExtensions = data.size() > kExtensionCountOffset ? data[kExtensionCountOffset] : 0;
    size_t wholeBlocks = data.size() / kBlockSize;
    size_t presentExtensions = std::min<size_t>(info.declaredExtensions, wholeBlocks > 0 ? wholeBlocks - 1 : 0);
    info.blockCount = static_cast<uint16_t>(1 + presentExtensions);
    info.truncated = !info.baseComplete || presentExtensions < info.declaredExtensions;
    for (size_t n = 1; n <= presentExtensions; ++n) {
        const uint8_t* block = data.data() + n * kBlockSize;
        bool ok = ChecksumOk(block);
        info.badExtensionChecksums += ok ? 0 : 1;
        if (n <= kTrackedExtensions) {
            info.extensionTags[n - 1] = block[0];
            info.extensionChecksumOk[n - 1] = ok;
        }
    }
    size_t end = (1 + size_t{info.declaredExtensions}) * kBlockSize;
    if (data.size() > end) {
        info.trailingBytes = data.size() - end;
        info.trailingRepeatsBase =
            info.trailingBytes >= kBlockSize && std::memcmp(data.data() + end, data.data(), kBlockSize) == 0;
    }
}

void ReadVendor(const uint8_t* b, EdidInfo& info) {
    info.hasVendor = true;
    unsigned letters = (b[8] << 8) | b[9];
    info.pnpId[0] = static_cast<char>('@' + ((letters >> 10) & 0x1F));
    info.pnpId[1] = static_cast<char>('@' + ((letters >> 5) & 0x1F));
    info.pnpId[2] = static_cast<char>('@' + (letters & 0x1F));
    info.productCode = static_cast<uint16_t>(b[10] | (b[11] << 8));
    info.serialNumber = b[12] | (b[13] << 8) | (b[14] << 16) | (uint32_t{b[15]} << 24);
    info.week = b[16];
    info.year = static_cast<uint16_t>(1990 + b[17]);
    // Week 0xFF marks a model year whatever the revision says; monitors use it that way.
    info.dateKind = b[16] == 0xFF ? DateKind::kModelYear : b[16] == 0 ? DateKind::kYearOnly : DateKind::kWeekOfYear;
}

void ReadDisplayParameters(const uint8_t* b, EdidInfo& info) {
    info.hasDisplayParameters = true;
    bool layout14 = info.version > 1 || info.revision >= 4;
    uint8_t input = b[20];
    info.digital = (input & 0x80) != 0;
    if (!info.digital) {
        info.analogSignalLevel = static_cast<uint8_t>((input >> 5) & 0x03);
    } else if (layout14) {
        static constexpr uint8_t kBits[8] = {0, 6, 8, 10, 12, 14, 16, 0};
        info.bitsPerColor = kBits[(input >> 4) & 0x07];
        info.digitalInterface = input & 0x0F;
    } else {
        info.dfpCompatible = (input & 0x01) != 0;
    }
    info.widthCm = b[21];
    info.heightCm = b[22];
    if (b[21] != 0 && b[22] != 0) {
        info.sizeKind = SizeKind::kCentimetres;
    } else if (layout14 && b[21] != 0) {
        info.sizeKind = SizeKind::kLandscapeRatio;
    } else if (layout14 && b[22] != 0) {
        info.sizeKind = SizeKind::kPortraitRatio;
    } else {
        info.sizeKind = SizeKind::kVariable;
    }
    info.gammaHundredths = b[23] == 0xFF ? 0 : static_cast<uint16_t>(b[23] + 100);
}

void ReadColor(const uint8_t* b, EdidInfo& info) {
    info.hasColor = true;
    auto value = [b](size_t high, size_t low, int shift) {
        return static_cast<uint16_t>((b[high] << 2) | ((b[low] >> shift) & 0x03));
    };
    info.red = {value(27, 25, 6), value(28, 25, 4)};
    info.green = {value(29, 25, 2), value(30, 25, 0)};
    info.blue = {value(31, 26, 6), value(32, 26, 4)};
    info.white = {value(33, 26, 2), value(34, 26, 0)};
}

}  // namespace

bool Decode(std::span<const uint8_t> data, EdidInfo& info) {
    info = EdidInfo{};
    info.size = data.size();
    info.header = ReadHeader(data);
    if (info.header == HeaderState::kMissing) {
        return false;
    }
    ReadStructure(data, info);

    // Short data: decode each group whose bytes are all there.
    size_t available = std::min(data.size(), kBlockSize);
    const uint8_t* b = data.data();
    if (available >= 18) {
        ReadVendor(b, info);
    }
    if (available >= 20) {
        info.hasVersion = true;
        info.version = b[18];
        info.revision = b[19];
    }
    if (available >= 24) {
        ReadDisplayParameters(b, info);
    }
    if (available >= 35) {
        ReadColor(b, info);
    }
    DecodeDescriptors(b, available, info);
    return true;
}

}  // namespace brevlink::edid
