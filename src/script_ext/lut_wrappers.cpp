#include "script_ext/lut_wrappers.h"

#include "script_ext/script_interface.h"

#include <cstring>

using kestrova::script::kLutEntries;

namespace {

constexpr size_t kLutSizeReplyBytes = 9;    // the three entry counts and the three bit depths
constexpr size_t kSinglePointEcho = 9;      // operation, index and the three values
constexpr size_t kSinglePointReadBack = 6;  // red, green, blue as the monitor holds them
constexpr size_t kBlockReplyBytes = offsetof(kestrova::script::BlockLutTable, code);

unsigned char* Bytes(void* table) {
    return static_cast<unsigned char*>(table);
}

uint16_t LittleEndianU16(const unsigned char* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// Red, green or blue values of a block table, const or not; null for any other colour.
template <typename Table>
auto ColourValues(Table& table, int colour) -> decltype(&table.red[0]) {
    switch (colour) {
        case 1:
            return table.red;
        case 2:
            return table.green;
        case 3:
            return table.blue;
        default:
            return nullptr;
    }
}

// memmove: the reply is often the object itself.
void CopyReply(void* table, const unsigned char* reply, size_t bytes) {
    if (reply != nullptr) {
        std::memmove(table, reply, bytes);
    }
}

}  // namespace

LUT_SIZE_WRAPPER::LUT_SIZE_WRAPPER() : table_{} {
    std::memcpy(table_.code, "73", sizeof table_.code);
    table_.adapterFlag = 0;
    Reset();
}

void LUT_SIZE_WRAPPER::Reset() {
    table_.redEntries = table_.greenEntries = table_.blueEntries = 0;
    table_.redBits = table_.greenBits = table_.blueBits = 0;
    table_.offset = 0;
}

void LUT_SIZE_WRAPPER::ReadStruct() {
    const unsigned char* reply = ScriptInterface::Instance().TableReadCommandStruct(
        table_.code, table_.offset, Bytes(&table_), LUT_SIZE_STRUCT, table_.adapterFlag != 0);
    CopyReply(&table_, reply, kLutSizeReplyBytes);
}

SP_LUT_OPERATION_WRAPPER::SP_LUT_OPERATION_WRAPPER() : table_{} {
    std::memcpy(table_.code, "74", sizeof table_.code);
    table_.adapterFlag = 0;
    Reset();
}

void SP_LUT_OPERATION_WRAPPER::SetLUTOffset(uint16_t index) {
    if (index < kLutEntries) {
        table_.index = index;
    }
}

void SP_LUT_OPERATION_WRAPPER::Reset() {
    table_.operation = kRead;
    table_.index = 0;
    table_.red = table_.green = table_.blue = 0;
    table_.redRead = table_.greenRead = table_.blueRead = 0;
    table_.offset = 0;
}

void SP_LUT_OPERATION_WRAPPER::WriteStruct() {
    table_.operation = kWrite;
    const unsigned char* reply = ScriptInterface::Instance().TableWriteCommandStruct(
        table_.code, table_.offset, Bytes(&table_), SP_LUT_OPERATION_STRUCT, table_.adapterFlag != 0);
    CopyReply(&table_, reply, kSinglePointEcho);
}

void SP_LUT_OPERATION_WRAPPER::ReadStruct() {
    table_.operation = kRead;
    const unsigned char* reply = ScriptInterface::Instance().TableReadCommandStruct(
        table_.code, table_.offset, Bytes(&table_), SP_LUT_OPERATION_STRUCT, table_.adapterFlag != 0);
    if (reply == nullptr) {
        return;
    }
    unsigned char readBack[kSinglePointReadBack];
    std::memcpy(readBack, reply, sizeof readBack);
    table_.redRead = LittleEndianU16(readBack);
    table_.greenRead = LittleEndianU16(readBack + 2);
    table_.blueRead = LittleEndianU16(readBack + 4);
    table_.red = table_.redRead;
    table_.green = table_.greenRead;
    table_.blue = table_.blueRead;
}

BLOCK_LUT_OPERATION_WRAPPER::BLOCK_LUT_OPERATION_WRAPPER() : table_{} {
    std::memcpy(table_.code, "75", 3);
    table_.adapterFlag = 0;
    Reset();
}

void BLOCK_LUT_OPERATION_WRAPPER::SetNumVals(uint16_t number) {
    if (number <= kLutEntries) {
        table_.numValues = number;
        table_.count = number;
    }
}

void BLOCK_LUT_OPERATION_WRAPPER::SetLutVal(uint16_t value, int colour, int index) {
    uint16_t* values = ColourValues(table_, colour);
    if (values != nullptr && index >= 0 && index < kLutEntries) {
        values[index] = value;
    }
}

uint16_t BLOCK_LUT_OPERATION_WRAPPER::GetLutVal(int colour, int index) const {
    constexpr uint16_t kNoValue = 999;
    const uint16_t* values = ColourValues(table_, colour);
    if (values == nullptr || index < 0 || index >= kLutEntries) {
        return kNoValue;
    }
    return values[index];
}

void BLOCK_LUT_OPERATION_WRAPPER::SetLUTOffset(uint16_t index) {
    if (index >= kLutEntries) {
        return;
    }
    table_.firstEntry = index;
    if (index + table_.count > kLutEntries) {
        table_.count = kLutEntries - index;
    }
}

void BLOCK_LUT_OPERATION_WRAPPER::Reset() {
    table_.operation = 0;
    table_.type = 0;
    table_.numValues = 0;
    table_.firstEntry = 0;
    std::memset(table_.red, 0, sizeof table_.red);
    std::memset(table_.green, 0, sizeof table_.green);
    std::memset(table_.blue, 0, sizeof table_.blue);
    table_.offset = 0;
    table_.count = kLutEntries;
    table_.segmentSize = kDefaultSegmentSize;
}

void BLOCK_LUT_OPERATION_WRAPPER::WriteStruct() {
    table_.operation = SP_LUT_OPERATION_WRAPPER::kWrite;
    ScriptInterface::Instance().TableWriteCommandLargeStruct(table_.code, table_.offset, Bytes(&table_), table_.count,
                                                             table_.segmentSize, BLOCK_LUT_OPERATION_STRUCT,
                                                             table_.adapterFlag != 0);
}

void BLOCK_LUT_OPERATION_WRAPPER::ReadStruct() {
    table_.operation = SP_LUT_OPERATION_WRAPPER::kRead;
    const unsigned char* reply = ScriptInterface::Instance().TableReadCommandLargeStruct(
        table_.code, table_.offset, Bytes(&table_), table_.count, table_.segmentSize, BLOCK_LUT_OPERATION_STRUCT,
        table_.adapterFlag != 0);
    if (reply != Bytes(&table_)) {
        CopyReply(&table_, reply, kBlockReplyBytes);
    }
}
