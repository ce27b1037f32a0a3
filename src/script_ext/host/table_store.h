// lmscript's monitor tables, kept in memory: one LUT shared by the LUT size, single point and
// block tables, one gamut, the TRIVEX calibration state, and plain byte tables per VCP code for
// the text table commands.
#pragma once

#include "script_ext/table_layouts.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kestrova::lmscript {

// Bytes of each plain byte table.
inline constexpr size_t kByteTableSize = 1024;

// TRIVEX answer word for a command the table refuses.
inline constexpr uint16_t kTrivexRefused = 0xFFFF;
inline constexpr uint16_t kTrivexLutCount = 2;  // default and custom

struct StructRequest {
    bool write = false;
    std::string code;
    uint16_t offset = 0;
    unsigned char* buffer = nullptr;
    int type = -1;
    bool adapter = false;
    int count = 0;        // LargeStruct only
    int segmentSize = 0;  // LargeStruct only
};

class TableStore {
  public:
    TableStore();

    // One Struct or LargeStruct transfer. Answers the reply bytes (the request's buffer, or a buffer
    // of the store that stays valid until the next transfer), or null when the transfer fails: an
    // unknown type, a code that is not the type's, a read-only table, an index past the LUT.
    unsigned char* Transfer(const StructRequest& request);

    // Plain byte tables. False when the code, offset, count or bytes are not usable.
    bool WriteBytes(const std::string& code,
                    const std::string& offset,
                    const std::string& count,
                    const std::string& data);
    // The bytes as hexadecimal text, or false.
    bool ReadBytes(const std::string& code, const std::string& offset, const std::string& count, std::string& reply);

    uint16_t LutValue(int colour, int index) const { return lut_[colour][index]; }
    const script::GamutTable& Gamut() const { return gamut_; }
    uint16_t GradientOnScreen() const { return gradientChannel_; }

  private:
    unsigned char* LutSize(const StructRequest& request);
    unsigned char* SinglePoint(const StructRequest& request);
    unsigned char* Block(const StructRequest& request);
    unsigned char* GamutTransfer(const StructRequest& request);
    unsigned char* Trivex(const StructRequest& request);
    uint16_t TrivexCommand(uint16_t command);

    std::array<std::array<uint16_t, script::kLutEntries>, 3> lut_{};
    script::GamutTable gamut_{};
    uint16_t gradientChannel_ = 0;
    bool customLut_ = false;
    std::map<uint8_t, std::vector<uint8_t>> byteTables_;

    script::LutSizeTable lutSizeReply_{};
    std::array<unsigned char, sizeof(script::SinglePointLutTable)> singlePointReply_{};
    script::BlockLutTable blockReply_{};
    script::GamutTable gamutReply_{};
    std::array<unsigned char, script::TableBufferSize(TRIVEX_MANAGEMENT_STRUCT)> trivexReply_{};
};

}  // namespace kestrova::lmscript
