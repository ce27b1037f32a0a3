// lmscript's in-memory tables, fed with the byte images the table wrappers send.
#include "script_ext/host/table_store.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kestrova::lmscript {
namespace {

template <typename Table>
Table As(const unsigned char* bytes) {
    Table table;
    std::memcpy(&table, bytes, sizeof table);
    return table;
}

template <typename Table>
StructRequest Request(bool write, const char* code, Table& table, int type, int count = 0, int segment = 0) {
    return StructRequest{write, code, 0, reinterpret_cast<unsigned char*>(&table), type, false, count, segment};
}

script::SinglePointLutTable Point(uint16_t index, uint16_t red, uint16_t green, uint16_t blue) {
    script::SinglePointLutTable table{};
    table.index = index;
    table.red = red;
    table.green = green;
    table.blue = blue;
    return table;
}

TEST(TableStore, RefusesUnknownTypesForeignCodesAndReadOnlyTables) {
    TableStore store;
    script::BlockLutTable any{};
    struct Case {
        const char* code;
        int type;
        bool write;
    };
    const Case cases[] = {{"73", 5, false},
                          {"73", -1, false},
                          {"74", LUT_SIZE_STRUCT, false},
                          {"E2", TRIVEX_MANAGEMENT_STRUCT, false},
                          {"73", LUT_SIZE_STRUCT, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(store.Transfer(Request(c.write, c.code, any, c.type)), nullptr) << c.code << "/" << c.type;
    }
    EXPECT_EQ(store.Transfer(StructRequest{false, "73", 0, nullptr, LUT_SIZE_STRUCT, false, 0, 0}), nullptr);
    EXPECT_NE(store.Transfer(Request(false, "e2", any, GAMUT_MANAGEMENT_STRUCT)), nullptr);
}

TEST(TableStore, LutSizeAnswers1024EntriesOf10Bits) {
    TableStore store;
    script::LutSizeTable table{};
    const auto reply = As<script::LutSizeTable>(store.Transfer(Request(false, "73", table, LUT_SIZE_STRUCT)));
    EXPECT_EQ(reply.redEntries, 1024);
    EXPECT_EQ(reply.blueEntries, 1024);
    EXPECT_EQ(reply.greenBits, 10);
}

TEST(TableStore, SinglePointWritesAndReadsOneEntry) {
    TableStore store;
    auto write = Point(512, 600, 500, 2000);
    EXPECT_EQ(store.Transfer(Request(true, "74", write, SP_LUT_OPERATION_STRUCT)),
              reinterpret_cast<unsigned char*>(&write));
    auto read = Point(512, 0, 0, 0);
    const unsigned char* reply = store.Transfer(Request(false, "74", read, SP_LUT_OPERATION_STRUCT));
    ASSERT_NE(reply, nullptr);
    const unsigned char expected[] = {0x58, 0x02, 0xF4, 0x01, 0xFF, 0x03};  // 600, 500, 1023 (10 bits)
    EXPECT_EQ(std::memcmp(reply, expected, sizeof expected), 0);
    auto outside = Point(1024, 1, 1, 1);
    EXPECT_EQ(store.Transfer(Request(true, "74", outside, SP_LUT_OPERATION_STRUCT)), nullptr);
}

TEST(TableStore, BlockValuesBelongToEntriesFromTheFirstOnAndStopAtTheLutsEnd) {
    TableStore store;
    script::BlockLutTable table{};
    table.firstEntry = 1000;
    for (int i = 0; i < script::kLutEntries; ++i) {
        table.red[i] = static_cast<uint16_t>(100 + i);
    }
    // A count past the end of the LUT is cut, never written beyond it.
    EXPECT_NE(store.Transfer(Request(true, "75", table, BLOCK_LUT_OPERATION_STRUCT, 1024, 48)), nullptr);
    EXPECT_EQ(store.LutValue(0, 1000), 100);
    EXPECT_EQ(store.LutValue(0, 1023), 123);
    EXPECT_EQ(store.LutValue(0, 999), 999);

    script::BlockLutTable read{};
    read.firstEntry = 1020;
    const auto reply =
        As<script::BlockLutTable>(store.Transfer(Request(false, "75", read, BLOCK_LUT_OPERATION_STRUCT, 10, 48)));
    EXPECT_EQ(reply.numValues, 4);
    EXPECT_EQ(reply.red[0], 120);
    EXPECT_EQ(reply.red[3], 123);
    EXPECT_EQ(reply.red[4], 0);
    EXPECT_EQ(reply.green[0], 0);  // a block carries all three colours: green was written as 0

    struct Case {
        uint16_t first;
        int count;
        int segment;
    };
    const Case refused[] = {{1024, 1, 48}, {0, -1, 48}, {0, 10, 0}, {0, 10, -48}};
    for (const Case& c : refused) {
        read.firstEntry = c.first;
        EXPECT_EQ(store.Transfer(Request(false, "75", read, BLOCK_LUT_OPERATION_STRUCT, c.count, c.segment)), nullptr)
            << c.first << "/" << c.count << "/" << c.segment;
    }
}

TEST(TableStore, GamutKeepsWhatIsWrittenAndStartsAsSrgb) {
    TableStore store;
    script::GamutTable table{};
    auto reply = As<script::GamutTable>(store.Transfer(Request(false, "E2", table, GAMUT_MANAGEMENT_STRUCT)));
    EXPECT_STREQ(reply.name, "sRGB");
    EXPECT_FLOAT_EQ(reply.whiteX, 0.3127f);
    std::memset(table.name, 'Z', sizeof table.name);
    table.gamma = 1.8f;
    store.Transfer(Request(true, "E2", table, GAMUT_MANAGEMENT_STRUCT));
    reply = As<script::GamutTable>(store.Transfer(Request(false, "E2", table, GAMUT_MANAGEMENT_STRUCT)));
    EXPECT_EQ(std::string(reply.name), std::string(16, 'Z'));
    EXPECT_FLOAT_EQ(reply.gamma, 1.8f);
}

TEST(TableStore, TrivexAnswersEachCommandWord) {
    TableStore store;
    struct Step {
        uint16_t command;
        uint16_t answer;
        uint16_t gradientAfter;
    };
    // Calibrating with nothing on screen is refused; on the identity ramp section s reads the entry
    // s quarters of the way up.
    const Step steps[] = {
        {0x1801, kTrivexRefused, 0}, {0x0400, kTrivexLutCount, 0}, {0x0200, 0, 0x0200}, {0x1801, 255, 0x0200},
        {0x1803, 767, 0x0200},       {0x0402, 0, 0x0200},          {0x0000, 0, 0},      {0x0500, kTrivexRefused, 0},
    };
    for (const Step& s : steps) {
        unsigned char buffer[48] = {static_cast<unsigned char>(s.command & 0xFF),
                                    static_cast<unsigned char>(s.command >> 8)};
        const unsigned char* reply = store.Transfer(Request(true, "F8", buffer, TRIVEX_MANAGEMENT_STRUCT));
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(reply[0] | reply[1] << 8, s.answer) << std::hex << s.command;
        EXPECT_EQ(store.GradientOnScreen(), s.gradientAfter) << std::hex << s.command;
    }
}

TEST(TableStore, ByteTablesHoldWhatTextCommandsWrite) {
    TableStore store;
    std::string reply;
    EXPECT_TRUE(store.WriteBytes("E2", "10", "", "01 02 03"));
    EXPECT_TRUE(store.WriteBytes("0xE2", "12", "1", "FF EE"));
    EXPECT_TRUE(store.ReadBytes("E2", "9", "5", reply));
    EXPECT_EQ(reply, "00 01 02 FF 00");
    struct Case {
        const char* code;
        const char* offset;
        const char* count;
        const char* data;
    };
    const Case refusedWrites[] = {
        {"XYZ", "0", "", "01"},    {"E2", "1024", "", "01"}, {"E2", "1023", "", "01 02"},
        {"E2", "0", "3", "01 02"}, {"E2", "0", "", "zz"},    {"E2", "-1", "", "01"},
    };
    for (const Case& c : refusedWrites) {
        EXPECT_FALSE(store.WriteBytes(c.code, c.offset, c.count, c.data)) << c.code << " " << c.offset;
    }
    EXPECT_FALSE(store.ReadBytes("E2", "1000", "25", reply));
    EXPECT_TRUE(store.ReadBytes("E2", "1000", "24", reply));
    EXPECT_TRUE(store.ReadBytes("10", "0", "0", reply));
    EXPECT_EQ(reply, "");
}

}  // namespace
}  // namespace kestrova::lmscript
