// Byte images of the five monitor tables, as the table wrappers hold them and as hosts receive them
// in the Struct and LargeStruct transfers. Offsets are part of the host contract, hence the asserts.
#pragma once

#include "script_ext/struct_types.h"

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the tables travel as little-endian byte images");

namespace kestrova::script {

inline constexpr int kLutEntries = 1024;
inline constexpr int kTrivexSections = 7;
inline constexpr size_t kGamutNameCapacity = 16;  // characters, without the NUL

// VCP 0x73.
struct LutSizeTable {
    uint16_t redEntries;
    uint16_t greenEntries;
    uint16_t blueEntries;
    uint8_t redBits;
    uint8_t greenBits;
    uint8_t blueBits;
    char code[3];
    uint16_t offset;
    uint8_t adapterFlag;
    uint8_t padding;
};
static_assert(sizeof(LutSizeTable) == 16);
static_assert(offsetof(LutSizeTable, greenEntries) == 2 && offsetof(LutSizeTable, blueEntries) == 4);
static_assert(offsetof(LutSizeTable, redBits) == 6 && offsetof(LutSizeTable, blueBits) == 8);
static_assert(offsetof(LutSizeTable, code) == 9 && offsetof(LutSizeTable, offset) == 12);
static_assert(offsetof(LutSizeTable, adapterFlag) == 14);

#pragma pack(push, 1)
// VCP 0x74; packed: its 16-bit fields sit at odd offsets.
struct SinglePointLutTable {
    uint8_t operation;
    uint16_t index;
    uint16_t red;
    uint16_t green;
    uint16_t blue;
    uint16_t redRead;
    uint16_t greenRead;
    uint16_t blueRead;
    char code[3];
    uint16_t offset;
    uint8_t adapterFlag;
};

// VCP 0xE2; packed: the floats start at offset 22.
struct GamutTable {
    uint8_t mode;
    uint8_t enable;
    uint8_t calibrated;
    uint16_t backlightHours;
    char name[kGamutNameCapacity + 1];
    float whiteLum;
    float whiteX;
    float whiteY;
    float redX;
    float redY;
    float greenX;
    float greenY;
    float blueX;
    float blueY;
    float gamma;
    float gammaA0;
    float gammaA1;
    float gammaA2;
    float gammaA3;
    char code[4];
    uint16_t offset;
};
#pragma pack(pop)

static_assert(sizeof(SinglePointLutTable) == 21);
static_assert(offsetof(SinglePointLutTable, index) == 1 && offsetof(SinglePointLutTable, red) == 3);
static_assert(offsetof(SinglePointLutTable, green) == 5 && offsetof(SinglePointLutTable, blue) == 7);
static_assert(offsetof(SinglePointLutTable, redRead) == 9 && offsetof(SinglePointLutTable, blueRead) == 13);
static_assert(offsetof(SinglePointLutTable, code) == 15 && offsetof(SinglePointLutTable, offset) == 18);
static_assert(offsetof(SinglePointLutTable, adapterFlag) == 20);

static_assert(sizeof(GamutTable) == 84);
static_assert(offsetof(GamutTable, backlightHours) == 3 && offsetof(GamutTable, name) == 5);
static_assert(offsetof(GamutTable, whiteLum) == 22 && offsetof(GamutTable, whiteX) == 26);
static_assert(offsetof(GamutTable, redX) == 34 && offsetof(GamutTable, greenX) == 42);
static_assert(offsetof(GamutTable, blueX) == 50 && offsetof(GamutTable, gamma) == 58);
static_assert(offsetof(GamutTable, gammaA0) == 62 && offsetof(GamutTable, gammaA3) == 74);
static_assert(offsetof(GamutTable, code) == 78 && offsetof(GamutTable, offset) == 82);

// VCP 0x75.
struct BlockLutTable {
    uint8_t operation;
    uint8_t type;
    uint16_t numValues;
    uint16_t firstEntry;
    uint16_t red[kLutEntries];
    uint16_t green[kLutEntries];
    uint16_t blue[kLutEntries];
    char code[4];
    uint16_t offset;
    int32_t count;
    int32_t segmentSize;
    uint8_t adapterFlag;
    uint8_t padding[3];
};
static_assert(sizeof(BlockLutTable) == 6168);
static_assert(offsetof(BlockLutTable, numValues) == 2 && offsetof(BlockLutTable, firstEntry) == 4);
static_assert(offsetof(BlockLutTable, red) == 6 && offsetof(BlockLutTable, green) == 2054);
static_assert(offsetof(BlockLutTable, blue) == 4102 && offsetof(BlockLutTable, code) == 6150);
static_assert(offsetof(BlockLutTable, offset) == 6154 && offsetof(BlockLutTable, count) == 6156);
static_assert(offsetof(BlockLutTable, segmentSize) == 6160 && offsetof(BlockLutTable, adapterFlag) == 6164);

// VCP 0xF8. The host sees the 48 bytes from `command` on; code and offset stay in front of them.
struct TrivexTable {
    char code[4];
    uint16_t offset;
    uint16_t command;
    uint16_t results[3][kTrivexSections];
    uint16_t reserved;
    uint16_t gradientChannel;
};
static_assert(sizeof(TrivexTable) == 54);
static_assert(offsetof(TrivexTable, offset) == 4 && offsetof(TrivexTable, command) == 6);
static_assert(offsetof(TrivexTable, results) == 8 && offsetof(TrivexTable, results[1]) == 22);
static_assert(offsetof(TrivexTable, results[2]) == 36 && offsetof(TrivexTable, reserved) == 50);
static_assert(offsetof(TrivexTable, gradientChannel) == 52);

inline constexpr size_t kTrivexBufferStart = offsetof(TrivexTable, command);

// Bytes of the buffer a host receives for each table kind; 0 for an unknown kind.
constexpr size_t TableBufferSize(int type) {
    switch (type) {
        case LUT_SIZE_STRUCT:
            return sizeof(LutSizeTable);
        case SP_LUT_OPERATION_STRUCT:
            return sizeof(SinglePointLutTable);
        case BLOCK_LUT_OPERATION_STRUCT:
            return sizeof(BlockLutTable);
        case GAMUT_MANAGEMENT_STRUCT:
            return sizeof(GamutTable);
        case TRIVEX_MANAGEMENT_STRUCT:
            return sizeof(TrivexTable) - kTrivexBufferStart;
        default:
            return 0;
    }
}
static_assert(TableBufferSize(TRIVEX_MANAGEMENT_STRUCT) == 48);

}  // namespace kestrova::script
