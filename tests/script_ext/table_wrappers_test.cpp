// The five table wrappers against the recording host: their bytes, their range rules, what each
// transfer sends and what it keeps of the reply.
#include "script_ext/gamut_wrapper.h"
#include "script_ext/lut_wrappers.h"
#include "script_ext/script_interface.h"
#include "script_ext/trivex_wrapper.h"

#include "fake_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using fake_host::calls;
using fake_host::setup;
using Args = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

template <typename Wrapper>
const unsigned char* BytesOf(const Wrapper& wrapper) {
    return reinterpret_cast<const unsigned char*>(&wrapper);
}

template <typename Wrapper>
Bytes Slice(const Wrapper& wrapper, size_t offset, size_t size) {
    return Bytes(BytesOf(wrapper) + offset, BytesOf(wrapper) + offset + size);
}

uint16_t WordAt(const void* object, size_t offset) {
    uint16_t word;
    std::memcpy(&word, static_cast<const unsigned char*>(object) + offset, 2);
    return word;
}

class TableWrappersTest : public ::testing::Test {
  protected:
    void SetUp() override { fake_host::Reset(); }
    void TearDown() override { ScriptInterface::Instance().Release(); }
};

TEST_F(TableWrappersTest, NewWrappersHoldTheirCodeAndResetValues) {
    struct Case {
        const char* name;
        Bytes bytes;
        size_t codeOffset;
        const char* code;
    };
    const LUT_SIZE_WRAPPER lutSize;
    const SP_LUT_OPERATION_WRAPPER singlePoint;
    const BLOCK_LUT_OPERATION_WRAPPER block;
    const GAMUT_MANAGEMENT_WRAPPER gamut;
    const TRIVEX_MANAGEMENT_WRAPPER trivex;
    const Case cases[] = {
        {"LUT size", Slice(lutSize, 0, 16), 9, "73"}, {"single point", Slice(singlePoint, 0, 21), 15, "74"},
        {"block", Slice(block, 0, 6168), 6150, "75"}, {"gamut", Slice(gamut, 0, 84), 78, "E2"},
        {"TRIVEX", Slice(trivex, 0, 54), 0, "F8"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(reinterpret_cast<const char*>(c.bytes.data() + c.codeOffset), c.code) << c.name;
    }
    EXPECT_EQ(Slice(lutSize, 0, 9), Bytes(9, 0));
    EXPECT_EQ(Slice(lutSize, 12, 3), Bytes(3, 0));  // offset and adapter flag
    EXPECT_EQ(singlePoint.GetVal(), 2);
    EXPECT_EQ(Slice(singlePoint, 1, 14), Bytes(14, 0));
    EXPECT_EQ(block.Table().count, 1024);
    EXPECT_EQ(block.Table().segmentSize, 48);
    EXPECT_EQ(Slice(block, 0, 6150), Bytes(6150, 0));
    EXPECT_EQ(gamut.GetGamutName(), "");
    EXPECT_EQ(Slice(gamut, 0, 78), Bytes(78, 0));
    EXPECT_EQ(Slice(trivex, 4, 50), Bytes(50, 0));
}

TEST_F(TableWrappersTest, SinglePointIndexMustBeBelow1024) {
    SP_LUT_OPERATION_WRAPPER singlePoint;
    singlePoint.SetLUTOffset(1023);
    EXPECT_EQ(+singlePoint.Table().index, 1023);
    singlePoint.SetLUTOffset(1024);
    EXPECT_EQ(+singlePoint.Table().index, 1023);
    singlePoint.SetLUTOffset(65535);
    EXPECT_EQ(+singlePoint.Table().index, 1023);
}

TEST_F(TableWrappersTest, BlockCountsAndOffsetsFollowTheRangeRules) {
    struct Step {
        enum { kNumVals, kOffset } what;
        uint16_t value;
        int expectedCount;
        uint16_t expectedNumValues;
        uint16_t expectedFirst;
    };
    const Step steps[] = {
        {Step::kOffset, 1000, 24, 0, 1000},    {Step::kOffset, 1024, 24, 0, 1000},    {Step::kOffset, 0, 24, 0, 0},
        {Step::kNumVals, 1024, 1024, 1024, 0}, {Step::kNumVals, 1025, 1024, 1024, 0}, {Step::kNumVals, 10, 10, 10, 0},
        {Step::kOffset, 1020, 4, 10, 1020},    {Step::kOffset, 1023, 1, 10, 1023},
    };
    BLOCK_LUT_OPERATION_WRAPPER block;
    for (const Step& s : steps) {
        if (s.what == Step::kNumVals) {
            block.SetNumVals(s.value);
        } else {
            block.SetLUTOffset(s.value);
        }
        EXPECT_EQ(block.Table().count, s.expectedCount) << s.value;
        EXPECT_EQ(block.GetNumVals(), s.expectedNumValues) << s.value;
        EXPECT_EQ(block.Table().firstEntry, s.expectedFirst) << s.value;
    }
}

TEST_F(TableWrappersTest, BlockValuesOutsideTheColoursOrEntriesAreIgnoredAndRead999) {
    BLOCK_LUT_OPERATION_WRAPPER block;
    struct Case {
        int colour;
        int index;
        bool stored;
    };
    const Case cases[] = {{1, 0, true},   {2, 512, true}, {3, 1023, true}, {1, 1024, false},
                          {1, -1, false}, {4, 0, false},  {0, 0, false},   {-1, 5, false}};
    for (const Case& c : cases) {
        block.SetLutVal(777, c.colour, c.index);
        EXPECT_EQ(block.GetLutVal(c.colour, c.index), c.stored ? 777 : 999) << c.colour << "/" << c.index;
    }
    EXPECT_EQ(block.Table().red[0], 777);
    EXPECT_EQ(block.Table().green[512], 777);
    EXPECT_EQ(block.Table().blue[1023], 777);
    // Nothing strayed into the code field behind the blue values.
    EXPECT_STREQ(block.Table().code, "75");
}

TEST_F(TableWrappersTest, LutSizeReadKeepsReplyBytes0To8Only) {
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = {0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 10, 10, 10, 'X', 'X', 'X', 0xFF, 0xFF, 0xFF, 0xFF};
    LUT_SIZE_WRAPPER lutSize;
    lutSize.SetOffset(3);
    lutSize.IsZandor(true);
    lutSize.ReadStruct();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "DiagTableReadCommandStruct");
    EXPECT_EQ(calls[0].args, (Args{"73", "3", "0", "1"}));
    EXPECT_EQ(calls[0].buffer, BytesOf(lutSize));
    EXPECT_EQ(lutSize.GetNumRedLutEntries(), 1024);
    EXPECT_EQ(lutSize.GetNumBlueLutEntries(), 1024);
    EXPECT_EQ(lutSize.GetGreenLutBits(), 10);
    EXPECT_STREQ(lutSize.Table().code, "73");
    EXPECT_EQ(lutSize.Table().offset, 3);
    EXPECT_EQ(lutSize.Table().adapterFlag, 1);
}

TEST_F(TableWrappersTest, SinglePointWriteSendsOperation1AndKeepsTheEcho) {
    SP_LUT_OPERATION_WRAPPER singlePoint;
    singlePoint.SetLUTOffset(0x0201);
    singlePoint.SetRedLutVal(0x1111);
    singlePoint.SetGreenLutVal(0x2222);
    singlePoint.SetBlueLutVal(0x3333);
    singlePoint.WriteStruct();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "DiagTableWriteCommandStruct");
    EXPECT_EQ(calls[0].args, (Args{"74", "0", "1", "0"}));
    EXPECT_EQ(calls[0].table,
              (Bytes{1, 0x01, 0x02, 0x11, 0x11, 0x22, 0x22, 0x33, 0x33, 0, 0, 0, 0, 0, 0, '7', '4', 0, 0, 0, 0}));
    EXPECT_EQ(singlePoint.GetVal(), 1);

    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = {1, 0x05, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0xEE, 0xEE};
    singlePoint.WriteStruct();
    EXPECT_EQ(+singlePoint.Table().index, 5);
    EXPECT_EQ(singlePoint.GetBlueLutVal(), 3);
    EXPECT_EQ(+singlePoint.Table().redRead, 0);  // byte 9 onwards is not taken
}

TEST_F(TableWrappersTest, SinglePointReadFillsReadBackAndColourValues) {
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = {0x02, 0x01, 0x04, 0x03, 0x06, 0x05};
    SP_LUT_OPERATION_WRAPPER singlePoint;
    singlePoint.SetVal(1);
    singlePoint.ReadStruct();
    EXPECT_EQ(calls.back().args, (Args{"74", "0", "1", "0"}));
    EXPECT_EQ(calls.back().table[0], 2);  // sent as a read
    EXPECT_EQ(singlePoint.GetRedLutVal(), 0x0102);
    EXPECT_EQ(singlePoint.GetGreenLutVal(), 0x0304);
    EXPECT_EQ(singlePoint.GetBlueLutVal(), 0x0506);
    EXPECT_EQ(+singlePoint.Table().redRead, 0x0102);
    EXPECT_EQ(+singlePoint.Table().greenRead, 0x0304);
    EXPECT_EQ(+singlePoint.Table().blueRead, 0x0506);
    singlePoint.Reset();
    EXPECT_EQ(singlePoint.GetVal(), 2);
    EXPECT_EQ(singlePoint.GetRedLutVal(), 0);
}

TEST_F(TableWrappersTest, BlockTransfersPassCountAndSegmentSizeAndReadCopiesTheTable) {
    BLOCK_LUT_OPERATION_WRAPPER block;
    block.SetNumVals(100);
    block.SetLUTOffset(1000);
    block.SetSegmentSize(32);
    block.SetOffset(2);
    block.IsZandor(true);
    block.WriteStruct();
    EXPECT_EQ(calls.back().name, "DiagTableWriteCommandLargeStruct");
    EXPECT_EQ(calls.back().args, (Args{"75", "2", "24", "32", "2", "1"}));
    EXPECT_EQ(calls.back().table.size(), 6168u);
    EXPECT_EQ(block.GetVal(), 1);

    Bytes reply(6168, 0xAB);
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = reply;
    block.ReadStruct();
    EXPECT_EQ(calls.back().name, "DiagTableReadCommandLargeStruct");
    EXPECT_EQ(calls.back().table[0], 2);
    EXPECT_EQ(block.GetLutVal(3, 1023), 0xABAB);
    EXPECT_EQ(block.GetVal(), 0xAB);
    EXPECT_STREQ(block.Table().code, "75");
    EXPECT_EQ(block.Table().count, 24);
    EXPECT_EQ(block.Table().segmentSize, 32);
}

TEST_F(TableWrappersTest, GamutNameKeepsSixteenCharactersAndLeavesTheFloats) {
    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.SetWhite_lum(250.5f);
    gamut.SetGamutName("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(gamut.GetGamutName(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(gamut.GetWhite_lum(), 250.5f);
    gamut.SetGamutName("sRGB");
    EXPECT_EQ(gamut.GetGamutName(), "sRGB");
}

TEST_F(TableWrappersTest, GamutNameWithoutNulFromTheHostStopsAtSixteen) {
    Bytes reply(84, 0);
    std::memset(reply.data() + 5, 'N', 17);
    reply[22] = 'F';
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = reply;
    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.ReadStruct();
    EXPECT_EQ(gamut.GetGamutName(), std::string(16, 'N'));
}

TEST_F(TableWrappersTest, GamutTransfersAlwaysPassFlag0AndKeepReplyBytes0To77) {
    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.SetOffset(7);
    gamut.SetGamma(2.2f);
    gamut.WriteStruct();
    EXPECT_EQ(calls.back().name, "DiagTableWriteCommandStruct");
    EXPECT_EQ(calls.back().args, (Args{"E2", "7", "3", "0"}));
    EXPECT_EQ(gamut.GetGamma(), 2.2f);

    GAMUT_MANAGEMENT_WRAPPER source;
    source.SetMode(3);
    source.SetBacklightHours(0x1234);
    source.SetGamutName("AdobeRGB");
    source.SetGamma_A3(-1.5f);
    source.SetOffset(99);
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = Bytes(BytesOf(source), BytesOf(source) + 84);
    gamut.ReadStruct();
    EXPECT_EQ(calls.back().name, "DiagTableReadCommandStruct");
    EXPECT_EQ(gamut.GetMode(), 3);
    EXPECT_EQ(gamut.GetBacklightHours(), 0x1234);
    EXPECT_EQ(gamut.GetGamutName(), "AdobeRGB");
    EXPECT_EQ(gamut.GetGamma_A3(), -1.5f);
    EXPECT_EQ(gamut.GetGamma(), 0.0f);
    EXPECT_EQ(+gamut.Table().offset, 7);  // not part of the reply
}

TEST_F(TableWrappersTest, TrivexSendsFromByte6AndAnswersTheFirstReplyWord) {
    struct Case {
        const char* what;
        void (*call)(TRIVEX_MANAGEMENT_WRAPPER&);
        const char* expectedExport;
        uint16_t expectedCommand;
    };
    const Case cases[] = {
        {"CloseExistingOSD", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.CloseExistingOSD(); }, "DiagTableWriteCommandStruct",
         0x0000},
        {"DrawGradient 3", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.DrawGradient(3); }, "DiagTableWriteCommandStruct",
         0x0300},
        {"ReadNumberCLUTsSupported", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.ReadNumberCLUTsSupported(); },
         "DiagTableReadCommandStruct", 0x0400},
        {"SelectDefaultLUT", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.SelectDefaultLUT(); }, "DiagTableWriteCommandStruct",
         0x0401},
        {"SelectCustomLUT", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.SelectCustomLUT(); }, "DiagTableWriteCommandStruct",
         0x0402},
        {"DrawAndCalibrate 1", [](TRIVEX_MANAGEMENT_WRAPPER& t) { t.DrawAndCalibrateGradientSection(1); },
         "DiagTableWriteCommandStruct", 0x1801},
    };
    for (const Case& c : cases) {
        fake_host::Reset();
        TRIVEX_MANAGEMENT_WRAPPER trivex;
        c.call(trivex);
        ASSERT_EQ(calls.size(), 1u) << c.what;
        EXPECT_EQ(calls[0].name, c.expectedExport) << c.what;
        EXPECT_EQ(calls[0].args, (Args{"F8", "0", "4", "0"})) << c.what;
        EXPECT_EQ(calls[0].buffer, BytesOf(trivex) + 6) << c.what;
        EXPECT_EQ(calls[0].table.size(), 48u) << c.what;
        EXPECT_EQ(WordAt(calls[0].table.data(), 0), c.expectedCommand) << c.what;
    }
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = {0x02, 0x00, 0xFF};
    TRIVEX_MANAGEMENT_WRAPPER trivex;
    EXPECT_EQ(trivex.ReadNumberCLUTsSupported(), 2);
    EXPECT_EQ(trivex.WriteStruct(), 2);
}

TEST_F(TableWrappersTest, TrivexGradientOutsideChannels1To3SendsNothingAndClears) {
    TRIVEX_MANAGEMENT_WRAPPER trivex;
    trivex.DrawGradient(2);
    fake_host::Reset();
    trivex.DrawGradient(4);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(trivex.Table().command, 0);
    EXPECT_EQ(trivex.Table().gradientChannel, 0);
    trivex.DrawGradient(2);
    trivex.CloseExistingOSD();
    EXPECT_EQ(trivex.Table().gradientChannel, 0);
}

TEST_F(TableWrappersTest, TrivexCalibrationResultIsFiledUnderTheChannelOnScreen) {
    setup.structReply = fake_host::StructReply::kOwnBytes;
    setup.ownBytes = {0x34, 0x12};
    TRIVEX_MANAGEMENT_WRAPPER trivex;
    trivex.DrawGradient(2);
    EXPECT_EQ(trivex.DrawAndCalibrateGradientSection(3), 0x1234);
    EXPECT_EQ(WordAt(calls.back().table.data(), 0), 0x1803);
    EXPECT_EQ(WordAt(&trivex, 26), 0x1234);  // third result of channel 2

    struct Case {
        int channel;  // 0: no gradient on screen
        int section;
        int filedAt;  // object offset, or -1
        uint16_t expectedCommand;
    };
    const Case cases[] = {
        {1, 1, 8, 0x1801},  {3, 2, 38, 0x1802},  {1, 7, 20, 0x0100}, {1, 8, -1, 0x0100},
        {1, 0, -1, 0x0100}, {1, -3, -1, 0x0100}, {0, 2, -1, 0x1802}, {3, 4, 42, 0x0300},
    };
    for (const Case& c : cases) {
        TRIVEX_MANAGEMENT_WRAPPER t;
        if (c.channel != 0) {
            t.DrawGradient(c.channel);
        }
        const Bytes before = Slice(t, 8, 42);
        t.DrawAndCalibrateGradientSection(c.section);
        EXPECT_EQ(WordAt(calls.back().table.data(), 0), c.expectedCommand) << c.channel << "/" << c.section;
        Bytes expected = before;
        if (c.filedAt >= 0) {
            expected[c.filedAt - 8] = 0x34;
            expected[c.filedAt - 7] = 0x12;
        }
        EXPECT_EQ(Slice(t, 8, 42), expected) << c.channel << "/" << c.section;
    }
}

TEST_F(TableWrappersTest, NullHostRepliesLeaveErrorInTheWrapper) {
    setup.structReply = fake_host::StructReply::kNull;
    LUT_SIZE_WRAPPER lutSize;
    lutSize.ReadStruct();
    EXPECT_EQ(std::memcmp(&lutSize, "ERROR", 6), 0);
    EXPECT_STREQ(lutSize.Table().code, "73");

    SP_LUT_OPERATION_WRAPPER singlePoint;
    singlePoint.ReadStruct();
    EXPECT_EQ(+singlePoint.Table().redRead, WordAt("ERROR", 0));
    EXPECT_EQ(singlePoint.GetBlueLutVal(), WordAt("ERROR", 4));

    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.ReadStruct();
    EXPECT_EQ(std::memcmp(&gamut, "ERROR", 6), 0);

    TRIVEX_MANAGEMENT_WRAPPER trivex;
    EXPECT_EQ(trivex.ReadNumberCLUTsSupported(), WordAt("ER", 0));
    EXPECT_STREQ(trivex.Table().code, "F8");
}

TEST_F(TableWrappersTest, CopyAssignmentCopiesEveryByte) {
    BLOCK_LUT_OPERATION_WRAPPER source;
    source.SetLutVal(5, 2, 7);
    source.IsZandor(true);
    BLOCK_LUT_OPERATION_WRAPPER copy;
    copy = source;
    EXPECT_EQ(std::memcmp(&copy, &source, 6165), 0);
}

}  // namespace
