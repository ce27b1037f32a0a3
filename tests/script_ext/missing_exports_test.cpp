// A host without any export: every call must do what its missing-export rule says, and nothing else.
#include "script_ext/gamut_wrapper.h"
#include "script_ext/lut_wrappers.h"
#include "script_ext/script_interface.h"
#include "script_ext/trivex_wrapper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

class MissingExportsTest : public ::testing::Test {
  protected:
    void TearDown() override { ScriptInterface::Instance().Release(); }
    ScriptInterface& si = ScriptInterface::Instance();
};

TEST_F(MissingExportsTest, TextReadsAnswerCommunicationError) {
    const std::function<const char*(ScriptInterface&)> reads[] = {
        [](ScriptInterface& s) { return s.ReadCommand("10"); },
        [](ScriptInterface& s) { return s.ReadWithStop("10", 4); },
        [](ScriptInterface& s) { return s.ReceiveCommand("01 10", 8); },
        [](ScriptInterface& s) { return s.ReadRangeCommand("10"); },
    };
    for (const auto& read : reads) {
        EXPECT_STREQ(read(si), "communication error");
    }
}

TEST_F(MissingExportsTest, QueriesAnswerZeroAndThePortAnswersTrue) {
    EXPECT_EQ(si.QueryMessageBox("a", "b"), 0);
    EXPECT_EQ(si.QueryForIntMsgBox("a", "b"), 0);
    EXPECT_EQ(si.QueryForHexMsgBox("a", "b"), 0);
    EXPECT_EQ(si.GetAltDisplayMask(), 0u);
    EXPECT_TRUE(si.SetDDCPort(true));
    EXPECT_TRUE(si.SetDDCPort(false));
}

TEST_F(MissingExportsTest, RangeReadStillWritesTheTextsOfTheUnchangedValues) {
    EXPECT_STREQ(si.GetRangeMinVal(), "");
    si.ReadRangeCommand("10");
    EXPECT_STREQ(si.GetRangeMinVal(), "0");
    EXPECT_STREQ(si.GetRangeMaxVal(), "0");
    EXPECT_STREQ(si.GetCurrentVal(), "0");
}

TEST_F(MissingExportsTest, SendsAreSkippedAndTableReadKeepsItsReply) {
    unsigned char bytes[4] = {1, 2, 3, 4};
    si.WriteCommand("10", "50");
    si.SendCommand("x");
    si.SendCommandNoCrc("x");
    si.SendCommandBytesNoCrc(bytes);
    si.ReadBytesWithStop(bytes, bytes, 4);
    si.TableWriteCommand("a", "b", "c", "d");
    si.DisplayMessageBox("a", "b");
    si.QueryForCmdMsgBox("a", "b", "c");
    si.LogMessage("a");
    si.SetAltDisplayMask(1);
    si.UseAltDisplayMask(1);
    EXPECT_EQ(bytes[3], 4);
    EXPECT_STREQ(si.TableReadCommand("E2", "0", "1"), "");
}

TEST_F(MissingExportsTest, StructCallsReturnTheBufferUntouched) {
    unsigned char buffer[16] = {9, 9, 9};
    EXPECT_EQ(si.TableReadCommandStruct("73", 0, buffer, LUT_SIZE_STRUCT, false), buffer);
    EXPECT_EQ(si.TableWriteCommandStruct("73", 0, buffer, LUT_SIZE_STRUCT, true), buffer);
    EXPECT_EQ(si.TableReadCommandLargeStruct("75", 0, buffer, 1, 1, LUT_SIZE_STRUCT, false), buffer);
    EXPECT_EQ(si.TableWriteCommandLargeStruct("75", 0, buffer, 1, 1, LUT_SIZE_STRUCT, false), buffer);
    EXPECT_EQ(buffer[0], 9);
}

TEST_F(MissingExportsTest, WrapperTransfersKeepTheObjectAsItWas) {
    LUT_SIZE_WRAPPER lutSize;
    const LUT_SIZE_WRAPPER lutSizeBefore = lutSize;
    lutSize.ReadStruct();
    EXPECT_EQ(std::memcmp(&lutSize, &lutSizeBefore, sizeof lutSize), 0);

    BLOCK_LUT_OPERATION_WRAPPER block;
    block.SetLutVal(12, 1, 0);
    block.ReadStruct();
    EXPECT_EQ(block.GetLutVal(1, 0), 12);
    block.WriteStruct();
    EXPECT_EQ(block.GetVal(), 1);

    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.SetGamutName("mine");
    gamut.SetWhite_x(0.3127f);
    gamut.ReadStruct();
    gamut.WriteStruct();
    EXPECT_EQ(gamut.GetGamutName(), "mine");
    EXPECT_EQ(gamut.GetWhite_x(), 0.3127f);
}

TEST_F(MissingExportsTest, SinglePointReadCopiesItsOwnFirstSixBytes) {
    SP_LUT_OPERATION_WRAPPER singlePoint;
    singlePoint.SetLUTOffset(0x0304);
    singlePoint.SetRedLutVal(0x0605);
    singlePoint.SetGreenLutVal(0x0807);
    singlePoint.ReadStruct();
    // Bytes 0-5 are operation 2, index 04 03, red 05 06, green's low byte 07.
    EXPECT_EQ(+singlePoint.Table().redRead, 0x0402);
    EXPECT_EQ(+singlePoint.Table().greenRead, 0x0503);
    EXPECT_EQ(+singlePoint.Table().blueRead, 0x0706);
    EXPECT_EQ(singlePoint.GetRedLutVal(), 0x0402);
    EXPECT_EQ(singlePoint.GetBlueLutVal(), 0x0706);
}

TEST_F(MissingExportsTest, TrivexCallsAnswerTheirOwnCommandWord) {
    TRIVEX_MANAGEMENT_WRAPPER trivex;
    EXPECT_EQ(trivex.ReadNumberCLUTsSupported(), 1024);
    trivex.DrawGradient(1);
    EXPECT_EQ(trivex.DrawAndCalibrateGradientSection(2), 0x1802);
    EXPECT_EQ(trivex.Table().results[0][1], 0x1802);
}

}  // namespace
