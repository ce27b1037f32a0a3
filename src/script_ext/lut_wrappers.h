// The three MCCS look-up-table tables (VCP 0x73, 0x74, 0x75). Each wrapper object is its own table
// buffer: its bytes are what the host receives, so the layouts of table_layouts.h are the objects.
#pragma once

#include "script_ext/table_layouts.h"

#include <cstdint>
#include <type_traits>

class LUT_SIZE_WRAPPER {
  public:
    LUT_SIZE_WRAPPER();

    uint16_t GetNumRedLutEntries() const { return table_.redEntries; }
    uint16_t GetNumGreenLutEntries() const { return table_.greenEntries; }
    uint16_t GetNumBlueLutEntries() const { return table_.blueEntries; }
    uint8_t GetRedLutBits() const { return table_.redBits; }
    uint8_t GetGreenLutBits() const { return table_.greenBits; }
    uint8_t GetBlueLutBits() const { return table_.blueBits; }
    void SetOffset(uint16_t offset) { table_.offset = offset; }
    void IsZandor(bool zandor) { table_.adapterFlag = zandor ? 1 : 0; }
    void Reset();
    void ReadStruct();

    const kestrova::script::LutSizeTable& Table() const { return table_; }

  private:
    kestrova::script::LutSizeTable table_;
};

class SP_LUT_OPERATION_WRAPPER {
  public:
    static constexpr uint8_t kWrite = 1;
    static constexpr uint8_t kRead = 2;

    SP_LUT_OPERATION_WRAPPER();

    void SetVal(uint8_t operation) { table_.operation = operation; }
    uint8_t GetVal() const { return table_.operation; }
    void SetRedLutVal(uint16_t value) { table_.red = value; }
    uint16_t GetRedLutVal() const { return table_.red; }
    void SetGreenLutVal(uint16_t value) { table_.green = value; }
    uint16_t GetGreenLutVal() const { return table_.green; }
    void SetBlueLutVal(uint16_t value) { table_.blue = value; }
    uint16_t GetBlueLutVal() const { return table_.blue; }
    // Entry indexes of 1024 and more are ignored.
    void SetLUTOffset(uint16_t index);
    void SetOffset(uint16_t offset) { table_.offset = offset; }
    void IsZandor(bool zandor) { table_.adapterFlag = zandor ? 1 : 0; }
    void Reset();
    void WriteStruct();
    void ReadStruct();

    const kestrova::script::SinglePointLutTable& Table() const { return table_; }

  private:
    kestrova::script::SinglePointLutTable table_;
};

class BLOCK_LUT_OPERATION_WRAPPER {
  public:
    static constexpr int kDefaultSegmentSize = 48;

    BLOCK_LUT_OPERATION_WRAPPER();

    void SetVal(uint8_t operation) { table_.operation = operation; }
    uint8_t GetVal() const { return table_.operation; }
    void SetType(uint8_t type) { table_.type = type; }
    uint8_t GetType() const { return table_.type; }
    // At most 1024; sets the count passed to the host too. Larger numbers are ignored.
    void SetNumVals(uint16_t number);
    uint16_t GetNumVals() const { return table_.numValues; }
    // Colour 1 red, 2 green, 3 blue; index 0-1023. Anything else is ignored.
    void SetLutVal(uint16_t value, int colour, int index);
    // 999 for any other colour or index.
    uint16_t GetLutVal(int colour, int index) const;
    // Below 1024: the first entry, and the count cut so that the transfer ends at entry 1023.
    void SetLUTOffset(uint16_t index);
    void SetOffset(uint16_t offset) { table_.offset = offset; }
    void SetSegmentSize(int size) { table_.segmentSize = size; }
    void IsZandor(bool zandor) { table_.adapterFlag = zandor ? 1 : 0; }
    void Reset();
    void WriteStruct();
    void ReadStruct();

    const kestrova::script::BlockLutTable& Table() const { return table_; }

  private:
    kestrova::script::BlockLutTable table_;
};

// The object is the buffer: nothing may sit in front of the table or after its end.
static_assert(sizeof(LUT_SIZE_WRAPPER) == sizeof(kestrova::script::LutSizeTable));
static_assert(sizeof(SP_LUT_OPERATION_WRAPPER) == sizeof(kestrova::script::SinglePointLutTable));
static_assert(sizeof(BLOCK_LUT_OPERATION_WRAPPER) == sizeof(kestrova::script::BlockLutTable));
static_assert(std::is_standard_layout_v<LUT_SIZE_WRAPPER> && std::is_standard_layout_v<SP_LUT_OPERATION_WRAPPER> &&
              std::is_standard_layout_v<BLOCK_LUT_OPERATION_WRAPPER>);
