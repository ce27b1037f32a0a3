// What edid-decode states about the base block, read from its printed output and put in our
// wording where the two differ only in words ("Made in: 2005" -> "2005").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace brevlink::edid::testing {

struct DecodeFacts {
    bool sawBaseBlock = false;
    size_t blocks = 0;
    unsigned extensionBlocks = 0;
    std::vector<std::pair<size_t, bool>> checksums;  // block, checksum right

    std::string version;
    std::string manufacturer;
    unsigned model = 0;
    uint32_t serialNumber = 0;
    std::string date;
    bool digital = false;
    unsigned bitsPerColor = 0;
    std::string interfaceName;
    bool dfp = false;
    std::string signalLevel;
    std::string screenSize;
    std::string gamma;
    std::string red, green, blue, white;

    bool hasTiming = false;
    unsigned timingWidth = 0;
    unsigned timingHeight = 0;
    bool timingInterlaced = false;
    double timingHz = 0;
    double timingMhz = 0;

    std::vector<std::string> names;
    std::vector<std::string> serialTexts;
};

DecodeFacts ParseDecodeOutput(const std::string& output);

}  // namespace brevlink::edid::testing
