#include "script_ext/host/table_store.h"

#include "script_ext/host/command_text.h"

#include <strings.h>

#include <cstring>

namespace kestrova::lmscript {

using script::kLutEntries;

namespace {

constexpr uint8_t kLutBits = 10;
constexpr uint16_t kLutMaximum = (1u << kLutBits) - 1;
constexpr size_t kGamutTableBytes = offsetof(script::GamutTable, code);

constexpr const char* kTypeCodes[] = {"73", "74", "75", "E2", "F8"};

uint16_t LutLevel(uint16_t value) {
    return value <= kLutMaximum ? value : kLutMaximum;
}

template <typename Table>
Table Load(const unsigned char* bytes) {
    Table table;
    std::memcpy(&table, bytes, sizeof table);
    return table;
}

}  // namespace

TableStore::TableStore() {
    // An identity ramp and an sRGB gamut: what a freshly calibrated monitor would answer.
    for (auto& colour : lut_) {
        for (int i = 0; i < kLutEntries; ++i) {
            colour[i] = static_cast<uint16_t>(i);
        }
    }
    gamut_.enable = 1;
    std::memcpy(gamut_.name, "sRGB", 5);
    gamut_.whiteLum = 250.0f;
    gamut_.whiteX = 0.3127f;
    gamut_.whiteY = 0.3290f;
    gamut_.redX = 0.64f;
    gamut_.redY = 0.33f;
    gamut_.greenX = 0.30f;
    gamut_.greenY = 0.60f;
    gamut_.blueX = 0.15f;
    gamut_.blueY = 0.06f;
    gamut_.gamma = 2.2f;
}

unsigned char* TableStore::Transfer(const StructRequest& request) {
    if (request.buffer == nullptr || request.type < LUT_SIZE_STRUCT || request.type > TRIVEX_MANAGEMENT_STRUCT ||
        strcasecmp(request.code.c_str(), kTypeCodes[request.type]) != 0) {
        return nullptr;
    }
    switch (request.type) {
        case LUT_SIZE_STRUCT:
            return LutSize(request);
        case SP_LUT_OPERATION_STRUCT:
            return SinglePoint(request);
        case BLOCK_LUT_OPERATION_STRUCT:
            return Block(request);
        case GAMUT_MANAGEMENT_STRUCT:
            return GamutTransfer(request);
        default:
            return Trivex(request);
    }
}

unsigned char* TableStore::LutSize(const StructRequest& request) {
    if (request.write) {
        return nullptr;  // the monitor's LUT size is read-only
    }
    lutSizeReply_ = Load<script::LutSizeTable>(request.buffer);
    lutSizeReply_.redEntries = lutSizeReply_.greenEntries = lutSizeReply_.blueEntries = kLutEntries;
    lutSizeReply_.redBits = lutSizeReply_.greenBits = lutSizeReply_.blueBits = kLutBits;
    return reinterpret_cast<unsigned char*>(&lutSizeReply_);
}

unsigned char* TableStore::SinglePoint(const StructRequest& request) {
    const auto table = Load<script::SinglePointLutTable>(request.buffer);
    const uint16_t index = table.index;
    if (index >= kLutEntries) {
        return nullptr;
    }
    if (request.write) {
        lut_[0][index] = LutLevel(table.red);
        lut_[1][index] = LutLevel(table.green);
        lut_[2][index] = LutLevel(table.blue);
        return request.buffer;
    }
    for (int colour = 0; colour < 3; ++colour) {
        singlePointReply_[colour * 2] = static_cast<unsigned char>(lut_[colour][index] & 0xFF);
        singlePointReply_[colour * 2 + 1] = static_cast<unsigned char>(lut_[colour][index] >> 8);
    }
    return singlePointReply_.data();
}

// Values travel relative to the first entry: value i belongs to entry first + i.
unsigned char* TableStore::Block(const StructRequest& request) {
    const auto table = Load<script::BlockLutTable>(request.buffer);
    const int first = table.firstEntry;
    if (first >= kLutEntries || request.segmentSize <= 0 || request.count < 0) {
        return nullptr;
    }
    const int count = request.count < kLutEntries - first ? request.count : kLutEntries - first;
    if (request.write) {
        for (int i = 0; i < count; ++i) {
            lut_[0][first + i] = LutLevel(table.red[i]);
            lut_[1][first + i] = LutLevel(table.green[i]);
            lut_[2][first + i] = LutLevel(table.blue[i]);
        }
        return request.buffer;
    }
    blockReply_ = table;
    std::memset(blockReply_.red, 0, sizeof blockReply_.red);
    std::memset(blockReply_.green, 0, sizeof blockReply_.green);
    std::memset(blockReply_.blue, 0, sizeof blockReply_.blue);
    for (int i = 0; i < count; ++i) {
        blockReply_.red[i] = lut_[0][first + i];
        blockReply_.green[i] = lut_[1][first + i];
        blockReply_.blue[i] = lut_[2][first + i];
    }
    blockReply_.numValues = static_cast<uint16_t>(count);
    return reinterpret_cast<unsigned char*>(&blockReply_);
}

unsigned char* TableStore::GamutTransfer(const StructRequest& request) {
    if (request.write) {
        std::memcpy(&gamut_, request.buffer, kGamutTableBytes);
        gamut_.name[script::kGamutNameCapacity] = '\0';
        return request.buffer;
    }
    gamutReply_ = Load<script::GamutTable>(request.buffer);
    std::memcpy(&gamutReply_, &gamut_, kGamutTableBytes);
    return reinterpret_cast<unsigned char*>(&gamutReply_);
}

uint16_t TableStore::TrivexCommand(uint16_t command) {
    constexpr uint16_t kGradientStep = 0x0100;
    constexpr uint16_t kCalibrateSection = 0x1800;
    switch (command) {
        case 0x0000:
            gradientChannel_ = 0;
            return 0;
        case 0x0100:
        case 0x0200:
        case 0x0300:
            gradientChannel_ = command;
            return 0;
        case 0x0400:
            return kTrivexLutCount;
        case 0x0401:
        case 0x0402:
            customLut_ = command == 0x0402;
            return 0;
        case 0x1801:
        case 0x1802:
        case 0x1803: {
            if (gradientChannel_ == 0) {
                return kTrivexRefused;
            }
            // The level measured in the section: the LUT entry at the section's quarter of the ramp.
            const int channel = gradientChannel_ / kGradientStep - 1;
            const int section = command - kCalibrateSection;
            return lut_[channel][section * (kLutEntries - 1) / 4];
        }
        default:
            return kTrivexRefused;
    }
}

unsigned char* TableStore::Trivex(const StructRequest& request) {
    std::memcpy(trivexReply_.data(), request.buffer, trivexReply_.size());
    const uint16_t command = static_cast<uint16_t>(request.buffer[0] | request.buffer[1] << 8);
    const uint16_t answer = TrivexCommand(command);
    trivexReply_[0] = static_cast<unsigned char>(answer & 0xFF);
    trivexReply_[1] = static_cast<unsigned char>(answer >> 8);
    return trivexReply_.data();
}

bool TableStore::WriteBytes(const std::string& code,
                            const std::string& offset,
                            const std::string& count,
                            const std::string& data) {
    const auto vcp = ParseVcpCode(code);
    const auto start = ParseNumber(offset, kByteTableSize);
    const auto bytes = ParseHexBytes(data);
    if (!vcp || !start || !bytes) {
        return false;
    }
    const auto length = count.empty() ? std::optional<uint32_t>(static_cast<uint32_t>(bytes->size()))
                                      : ParseNumber(count, static_cast<uint32_t>(bytes->size()));
    if (!length || *start + *length > kByteTableSize) {
        return false;
    }
    std::vector<uint8_t>& table = byteTables_[*vcp];
    table.resize(kByteTableSize, 0);
    std::memcpy(table.data() + *start, bytes->data(), *length);
    return true;
}

bool TableStore::ReadBytes(const std::string& code,
                           const std::string& offset,
                           const std::string& count,
                           std::string& reply) {
    const auto vcp = ParseVcpCode(code);
    const auto start = ParseNumber(offset, kByteTableSize);
    const auto length = ParseNumber(count, kByteTableSize);
    if (!vcp || !start || !length || *start + *length > kByteTableSize) {
        return false;
    }
    std::vector<uint8_t>& table = byteTables_[*vcp];
    table.resize(kByteTableSize, 0);
    reply = FormatHexBytes(table.data() + *start, *length);
    return true;
}

}  // namespace kestrova::lmscript
