// The table wrappers and ScriptInterface against lmscript's own exports: what a script sees when
// lmscript is its host, without the interpreter in between.
#include "script_ext/gamut_wrapper.h"
#include "script_ext/host/exports.h"
#include "script_ext/lut_wrappers.h"
#include "script_ext/script_interface.h"
#include "script_ext/trivex_wrapper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace kestrova::lmscript {
namespace {

class LabLikeBus : public MonitorBus {
  public:
    VcpValue brightness{75, 100};
    uint32_t AttachedMask() override { return 0b10; }
    bool ReadVcp(int monitor, uint8_t code, VcpValue& value) override {
        if (monitor != 1 || code != 0x10) {
            return false;
        }
        value = brightness;
        return true;
    }
    bool WriteVcp(int monitor, uint8_t code, uint16_t value) override {
        if (monitor != 1 || code != 0x10) {
            return false;
        }
        brightness.current = value;
        return true;
    }
};

class WrappersOnLmscriptTest : public ::testing::Test {
  protected:
    void SetUp() override { InstallHost(&host); }
    void TearDown() override {
        InstallHost(nullptr);
        ScriptInterface::Instance().Release();
    }
    LabLikeBus bus;
    std::istringstream in{"y\n-12\n1f\n"};
    std::ostringstream out;
    std::ostringstream log;
    Prompter prompter{in, out, false, PresetAnswer::kAsk};
    ScriptHost host{bus, 1, prompter, log};
    ScriptInterface& si = ScriptInterface::Instance();
};

TEST_F(WrappersOnLmscriptTest, InterfaceCallsReachTheMonitorPromptsAndLog) {
    EXPECT_STREQ(si.ReadRangeCommand("10"), "OK");
    EXPECT_STREQ(si.GetCurrentVal(), "75");
    EXPECT_STREQ(si.GetRangeMaxVal(), "100");
    si.WriteCommand("10", "40");
    EXPECT_STREQ(si.ReadCommand("10"), "40");
    EXPECT_STREQ(si.ReadWithStop("01 10", 0), "02 00 10 00 00 64 00 28");
    EXPECT_STREQ(si.ReceiveCommand("01 10", 3), "02 00 10");
    EXPECT_STREQ(si.ReadCommand("12"), "communication error");
    EXPECT_EQ(si.QueryMessageBox("Q", "Did it change?"), 1);
    EXPECT_EQ(si.QueryForIntMsgBox("Q", "How many?"), -12);
    EXPECT_EQ(si.QueryForHexMsgBox("Q", "Which code?"), 0x1F);
    si.SetAltDisplayMask(0x6);
    EXPECT_EQ(si.GetAltDisplayMask(), 0x6u);
    si.LogMessage("a\r\nb\r\n");
    EXPECT_EQ(log.str(), "a\nb\n");
}

TEST_F(WrappersOnLmscriptTest, LutTablesRoundTrip) {
    LUT_SIZE_WRAPPER size;
    size.ReadStruct();
    EXPECT_EQ(size.GetNumGreenLutEntries(), 1024);
    EXPECT_EQ(size.GetBlueLutBits(), 10);

    SP_LUT_OPERATION_WRAPPER point;
    point.SetLUTOffset(7);
    point.SetRedLutVal(70);
    point.SetGreenLutVal(71);
    point.SetBlueLutVal(72);
    point.WriteStruct();
    SP_LUT_OPERATION_WRAPPER readBack;
    readBack.SetLUTOffset(7);
    readBack.ReadStruct();
    EXPECT_EQ(readBack.GetRedLutVal(), 70);
    EXPECT_EQ(readBack.GetBlueLutVal(), 72);

    BLOCK_LUT_OPERATION_WRAPPER block;
    block.SetLUTOffset(1020);
    for (int i = 0; i < 4; ++i) {
        block.SetLutVal(static_cast<uint16_t>(900 + i), 2, i);
    }
    block.WriteStruct();
    BLOCK_LUT_OPERATION_WRAPPER blockBack;
    blockBack.SetLUTOffset(1020);
    blockBack.ReadStruct();
    EXPECT_EQ(blockBack.GetLutVal(2, 0), 900);
    EXPECT_EQ(blockBack.GetLutVal(2, 3), 903);
    EXPECT_EQ(blockBack.GetLutVal(1, 0), 0);  // red travelled in the same block, as zeros
    EXPECT_EQ(blockBack.GetLutVal(2, 4), 0);
}

TEST_F(WrappersOnLmscriptTest, GamutAndTrivexTablesAnswer) {
    GAMUT_MANAGEMENT_WRAPPER gamut;
    gamut.ReadStruct();
    EXPECT_EQ(gamut.GetGamutName(), "sRGB");
    EXPECT_FLOAT_EQ(gamut.GetGamma(), 2.2f);
    gamut.SetGamutName("Lab calibration");
    gamut.WriteStruct();
    GAMUT_MANAGEMENT_WRAPPER again;
    again.ReadStruct();
    EXPECT_EQ(again.GetGamutName(), "Lab calibration");

    TRIVEX_MANAGEMENT_WRAPPER trivex;
    EXPECT_EQ(trivex.ReadNumberCLUTsSupported(), 2);
    EXPECT_EQ(trivex.DrawAndCalibrateGradientSection(1), 0xFFFF);
    trivex.DrawGradient(1);
    EXPECT_EQ(trivex.DrawAndCalibrateGradientSection(2), 511);
    EXPECT_EQ(trivex.Table().results[0][1], 511);
}

TEST_F(WrappersOnLmscriptTest, WithoutAnInstalledHostTheExportsAnswerTheirDefaults) {
    InstallHost(nullptr);
    EXPECT_STREQ(si.ReadCommand("10"), "communication error");
    EXPECT_EQ(si.QueryMessageBox("Q", "?"), 0);
    LUT_SIZE_WRAPPER size;
    size.ReadStruct();
    EXPECT_EQ(std::memcmp(&size, "ERROR", 6), 0);
}

}  // namespace
}  // namespace kestrova::lmscript
