// EDID decoding for WrEDIDGetInfo: the base block (version 1.x) into plain fields, and the text the
// library hands out for each EDID code, cut to the capacity of the tester's monitor record field.
// Extension blocks are walked for their tags and checksums only. Pure: no I/O, no allocation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace brevlink::edid {

constexpr size_t kBlockSize = 128;

// The WrEDIDGetInfo codes answered here.
enum Code : uint32_t {
    kCodeManufacturer = 100,
    kCodeModel = 117,
    kCodePnpId = 118,
    kCodeSerialNumber = 119,
    kCodeManufactureDate = 120,
    kCodeEdidVersion = 121,
    kCodeSignalType = 122,
    kCodeRecommendedTiming = 123,
    kCodeScreenSize = 124,
    kCodeGamma = 125,
    kCodeRedChroma = 126,
    kCodeGreenChroma = 127,
    kCodeBlueChroma = 128,
    kCodeWhitePoint = 129,
};

// Every code above, in the order the tester queries them.
constexpr std::array<uint32_t, 14> kCodes = {kCodeManufacturer,    kCodeModel,
                                             kCodeSerialNumber,    kCodePnpId,
                                             kCodeManufactureDate, kCodeSignalType,
                                             kCodeScreenSize,      kCodeGamma,
                                             kCodeEdidVersion,     kCodeRedChroma,
                                             kCodeGreenChroma,     kCodeBlueChroma,
                                             kCodeWhitePoint,      kCodeRecommendedTiming};

enum class HeaderState : uint8_t {
    kValid,
    kRepaired,  // 6 or 7 of the 8 header bytes right: a bit error on the bus, decoded anyway
    kMissing,   // not an EDID; nothing else is decoded
};

enum class DateKind : uint8_t { kWeekOfYear, kYearOnly, kModelYear };

enum class SizeKind : uint8_t {
    kCentimetres,
    kLandscapeRatio,  // 1.4: height byte 0, width byte holds the aspect ratio
    kPortraitRatio,   // 1.4: width byte 0, height byte holds the aspect ratio
    kVariable,
};

// 10-bit fractions of 1024.
struct Chromaticity {
    uint16_t x = 0;
    uint16_t y = 0;
};

struct DetailedTiming {
    bool present = false;
    uint32_t pixelClockKhz = 0;
    uint16_t width = 0;   // active pixels
    uint16_t height = 0;  // active lines of the frame (both fields when interlaced)
    bool interlaced = false;
    uint64_t refreshMicroHz = 0;  // field rate; 0 when the blanking gives no total
    uint16_t widthMm = 0;
    uint16_t heightMm = 0;
};

// Per-block details are kept for the first extensions only; counts cover all of them.
constexpr size_t kTrackedExtensions = 7;
// Four display descriptors of 13 characters each.
constexpr size_t kNameCapacity = 4 * 13 + 1;
constexpr size_t kSerialTextCapacity = 13 + 1;

struct EdidInfo {
    // Shape of the data.
    size_t size = 0;
    HeaderState header = HeaderState::kMissing;
    bool baseComplete = false;
    bool baseChecksumOk = false;
    uint8_t declaredExtensions = 0;
    uint16_t blockCount = 0;  // base plus the declared extensions that are present
    bool truncated = false;   // the data ends before the last declared block does
    uint16_t badExtensionChecksums = 0;
    size_t trailingBytes = 0;          // bytes after the last declared block, ignored
    bool trailingRepeatsBase = false;  // ...starting with a copy of the base block (I2C wrap-around)
    std::array<uint8_t, kTrackedExtensions> extensionTags{};
    std::array<bool, kTrackedExtensions> extensionChecksumOk{};

    // Each group below is decoded only when its bytes are present.
    bool hasVendor = false;
    char pnpId[4] = {};  // '@' + each 5-bit value, as the letters are usually printed
    uint16_t productCode = 0;
    uint32_t serialNumber = 0;
    DateKind dateKind = DateKind::kWeekOfYear;
    uint8_t week = 0;
    uint16_t year = 0;

    bool hasVersion = false;
    uint8_t version = 0;
    uint8_t revision = 0;

    bool hasDisplayParameters = false;
    bool digital = false;
    uint8_t analogSignalLevel = 0;  // 0-3: 0.700/0.300, 0.714/0.286, 1.000/0.400, 0.700/0.000 V
    bool dfpCompatible = false;     // before 1.4
    uint8_t bitsPerColor = 0;       // 1.4; 0 = undefined
    uint8_t digitalInterface = 0;   // 1.4: 0 undefined, 1 DVI, 2 HDMI-a, 3 HDMI-b, 4 MDDI, 5 DisplayPort
    SizeKind sizeKind = SizeKind::kVariable;
    uint8_t widthCm = 0;
    uint8_t heightCm = 0;
    uint16_t gammaHundredths = 0;  // 0: given in an extension block

    bool hasColor = false;
    Chromaticity red;
    Chromaticity green;
    Chromaticity blue;
    Chromaticity white;

    DetailedTiming firstTiming;  // the first detailed timing of the base block: the preferred one
    bool hasMonitorName = false;
    char monitorName[kNameCapacity] = {};  // every name descriptor in order, as stored
    bool hasSerialText = false;
    char serialText[kSerialTextCapacity] = {};  // the first serial number descriptor
};

// Decodes whatever the bytes hold; false when they do not start with an EDID header.
bool Decode(std::span<const uint8_t> data, EdidInfo& info);

// Capacity (NUL included) of the monitor record field that receives `code`; 0 for other codes.
size_t TextCapacity(uint32_t code);

// Writes the text for `code`, cut to both `capacity` and the code's own capacity, always
// NUL-terminated when capacity > 0. Returns the length without the NUL; unknown codes give "".
size_t Text(const EdidInfo& info, uint32_t code, char* buffer, size_t capacity);
std::string Text(const EdidInfo& info, uint32_t code);

}  // namespace brevlink::edid
