// ScriptInterface against a host that exports everything: what each method hands the host and
// what it makes of the answers.
#include "script_ext/script_interface.h"

#include "fake_host.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using fake_host::calls;
using fake_host::setup;
using Args = std::vector<std::string>;

class ScriptInterfaceTest : public ::testing::Test {
  protected:
    void SetUp() override { fake_host::Reset(); }
    void TearDown() override { ScriptInterface::Instance().Release(); }
    ScriptInterface& si = ScriptInterface::Instance();
};

TEST_F(ScriptInterfaceTest, PassesTextsAndNumbersToTheMatchingExport) {
    struct Case {
        const char* what;
        std::function<void(ScriptInterface&)> call;
        const char* expectedExport;
        Args expectedArgs;
    };
    const Case cases[] = {
        {"Write", [](ScriptInterface& s) { s.WriteCommand("10", "50"); }, "DiagWriteCommand", {"10", "50"}},
        {"Send", [](ScriptInterface& s) { s.SendCommand("03 10 00 32"); }, "DiagSendCommand", {"03 10 00 32"}},
        {"WriteNoCrc", [](ScriptInterface& s) { s.SendCommandNoCrc("01 10"); }, "DiagSendNoCrcCommand", {"01 10"}},
        {"null text", [](ScriptInterface& s) { s.SendCommand(nullptr); }, "DiagSendCommand", {""}},
        {"ReadWithStop", [](ScriptInterface& s) { s.ReadWithStop("01 10", 7); }, "DiagReadWithStop", {"01 10", "7"}},
        {"TableWrite",
         [](ScriptInterface& s) { s.TableWriteCommand("E2", "0", "2", "01 02"); },
         "DiagTableWriteCommand",
         {"E2", "0", "2", "01 02"}},
        {"ShowMessage",
         [](ScriptInterface& s) { s.DisplayMessageBox("Title", "Body"); },
         "MBOK_MessageBox",
         {"Title", "Body"}},
        {"QueryForCmd",
         [](ScriptInterface& s) { s.QueryForCmdMsgBox("T", "Q", "cmd"); },
         "EDIT_Cmd_MessageBox",
         {"T", "Q", "cmd"}},
        {"LogMessage", [](ScriptInterface& s) { s.LogMessage("line"); }, "LogMessageFromPython", {"line"}},
        {"SetDDCPort true", [](ScriptInterface& s) { s.SetDDCPort(true); }, "DiagSetDDCPort", {"1"}},
        {"SetDDCPort false", [](ScriptInterface& s) { s.SetDDCPort(false); }, "DiagSetDDCPort", {"0"}},
        {"SetAltDisplayMask",
         [](ScriptInterface& s) { s.SetAltDisplayMask(0x80000001u); },
         "DiagSetAltDisplayMask",
         {"2147483649"}},
        {"GetAltDisplayMask", [](ScriptInterface& s) { s.GetAltDisplayMask(); }, "DiagGetAltDisplayMask", {"0"}},
        {"UseAltDisplayMask", [](ScriptInterface& s) { s.UseAltDisplayMask(-2); }, "DiagUseAltDisplayMask", {"-2"}},
    };
    for (const Case& c : cases) {
        fake_host::Reset();
        c.call(si);
        ASSERT_EQ(calls.size(), 1u) << c.what;
        EXPECT_EQ(calls[0].name, c.expectedExport) << c.what;
        EXPECT_EQ(calls[0].args, c.expectedArgs) << c.what;
    }
}

TEST_F(ScriptInterfaceTest, QueriesAnswerTheHostsValue) {
    setup.queryAnswer = -7;
    EXPECT_EQ(si.QueryMessageBox("a", "b"), -7);
    EXPECT_EQ(si.QueryForIntMsgBox("a", "b"), -7);
    EXPECT_EQ(si.QueryForHexMsgBox("a", "b"), -7);
    setup.altMask = 0xFFFF0001u;
    EXPECT_EQ(si.GetAltDisplayMask(), 0xFFFF0001u);
    EXPECT_TRUE(si.SetDDCPort(false));
}

TEST_F(ScriptInterfaceTest, ReadsCopyTheHostsTextAndTakeNullAsCommunicationError) {
    setup.readReply = "50";
    EXPECT_STREQ(si.ReadCommand("10"), "50");
    setup.readReply = nullptr;
    EXPECT_STREQ(si.ReadCommand("10"), "communication error");
    EXPECT_STREQ(si.ReadWithStop("10", 1), "communication error");
    EXPECT_STREQ(si.ReadRangeCommand("10"), "communication error");
}

TEST_F(ScriptInterfaceTest, NativeReadersShareOneReplyText) {
    setup.readReply = "first";
    const char* first = si.ReadCommand("10");
    setup.readReply = "second";
    si.ReadWithStop("10", 2);
    EXPECT_STREQ(first, "second");
    setup.readReply = "third";
    si.ReadRangeCommand("10");
    EXPECT_STREQ(first, "third");
}

TEST_F(ScriptInterfaceTest, RangeReadPassesCurrentMinimumMaximumAndFormatsThemInDecimal) {
    setup.readReply = "OK";
    setup.rangeCurrent = 42;
    setup.rangeMinimum = -5;
    setup.rangeMaximum = 100;
    EXPECT_STREQ(si.ReadRangeCommand("12"), "OK");
    EXPECT_EQ(calls.back().args, Args{"12"});
    EXPECT_STREQ(si.GetCurrentVal(), "42");
    EXPECT_STREQ(si.GetRangeMinVal(), "-5");
    EXPECT_STREQ(si.GetRangeMaxVal(), "100");
}

TEST_F(ScriptInterfaceTest, ReceiveHandsTheCommandInAndReturnsTheReplyLeftInItsPlace) {
    setup.receiveReply = "02 00 10";
    setup.receiveBytes = "\x02\x00\x10";
    EXPECT_STREQ(si.ReceiveCommand("01 10", 11), "02 00 10");
    EXPECT_EQ(calls.back().args, (Args{"01 10", "", "11"}));
    // The byte area keeps what the host put there and is handed over again.
    si.ReceiveCommand("01 12", 3);
    EXPECT_EQ(calls.back().args[1], setup.receiveBytes);
}

TEST_F(ScriptInterfaceTest, TableReadReturnsWhatTheHostWroteAndShowsItThePreviousReply) {
    setup.tableReadReply = "01 02 03";
    EXPECT_STREQ(si.TableReadCommand("E2", "0", "3"), "01 02 03");
    setup.tableReadReply = "04";
    EXPECT_STREQ(si.TableReadCommand("E2", "3", "1"), "04");
    EXPECT_EQ(calls.back().args, (Args{"E2", "3", "1", "01 02 03"}));
}

TEST_F(ScriptInterfaceTest, BytePointersArePassedThrough) {
    unsigned char request[8] = "\x51\x82";
    unsigned char reply[4] = {};
    si.SendCommandBytesNoCrc(request);
    si.ReadBytesWithStop(request, reply, 3);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args, Args{"\x51\x82"});
    EXPECT_EQ(calls[1].args, (Args{"\x51\x82", "3"}));
    EXPECT_EQ(reply[2], 0xA2);
    EXPECT_EQ(reply[3], 0);
}

TEST_F(ScriptInterfaceTest, StructCallsPassCodeOffsetBufferCountsTypeAndFlag) {
    unsigned char buffer[6168] = {};
    EXPECT_EQ(si.TableReadCommandStruct("73", 9, buffer, LUT_SIZE_STRUCT, true), buffer);
    EXPECT_EQ(calls.back().args, (Args{"73", "9", "0", "1"}));
    EXPECT_EQ(calls.back().buffer, buffer);
    si.TableWriteCommandStruct("E2", 65535, buffer, GAMUT_MANAGEMENT_STRUCT, false);
    EXPECT_EQ(calls.back().args, (Args{"E2", "65535", "3", "0"}));
    si.TableWriteCommandLargeStruct("75", 1, buffer, 24, 48, BLOCK_LUT_OPERATION_STRUCT, true);
    EXPECT_EQ(calls.back().name, "DiagTableWriteCommandLargeStruct");
    EXPECT_EQ(calls.back().args, (Args{"75", "1", "24", "48", "2", "1"}));
    si.TableReadCommandLargeStruct("75", 0, buffer, 1024, 16, BLOCK_LUT_OPERATION_STRUCT, false);
    EXPECT_EQ(calls.back().name, "DiagTableReadCommandLargeStruct");
    EXPECT_EQ(calls.back().args, (Args{"75", "0", "1024", "16", "2", "0"}));
}

TEST_F(ScriptInterfaceTest, StructCallsAnswerTheHostsReplyOrErrorInTheCallersBuffer) {
    struct Case {
        fake_host::StructReply reply;
        bool expectOwnBytes;
        bool expectError;
    };
    const Case cases[] = {
        {fake_host::StructReply::kBuffer, false, false},
        {fake_host::StructReply::kOwnBytes, true, false},
        {fake_host::StructReply::kNull, false, true},
        {fake_host::StructReply::kNullAfterSwappingBuffer, false, true},
    };
    for (const Case& c : cases) {
        setup.structReply = c.reply;
        setup.ownBytes = {1, 2, 3};
        unsigned char buffer[48];
        std::memset(buffer, 0x77, sizeof buffer);
        unsigned char* results[] = {
            si.TableReadCommandStruct("F8", 0, buffer, TRIVEX_MANAGEMENT_STRUCT, false),
            si.TableWriteCommandLargeStruct("F8", 0, buffer, 1, 1, TRIVEX_MANAGEMENT_STRUCT, false),
        };
        for (unsigned char* result : results) {
            EXPECT_EQ(result, c.expectOwnBytes ? setup.ownBytes.data() : buffer);
        }
        if (c.expectError) {
            EXPECT_EQ(std::memcmp(buffer, "ERROR\0\x77", 7), 0);
        } else {
            EXPECT_EQ(buffer[0], 0x77);
        }
    }
}

TEST_F(ScriptInterfaceTest, InstanceIsOneObjectUntilReleased) {
    ScriptInterface* first = &ScriptInterface::Instance();
    EXPECT_EQ(&ScriptInterface::Instance(), first);
    EXPECT_TRUE(ScriptInterface::IsInstance(first));
    first->Release();
    EXPECT_FALSE(ScriptInterface::IsInstance(first));
    ScriptInterface& second = ScriptInterface::Instance();
    EXPECT_TRUE(ScriptInterface::IsInstance(&second));
    // A fresh object: fields start over.
    EXPECT_STREQ(second.GetRangeMinVal(), "");
}

TEST_F(ScriptInterfaceTest, DelaySleepsOnTheProcessClockAndTreatsNegativeAsZero) {
    kestrova::platform::VirtualClock clock;
    kestrova::platform::ScopedClock scoped(clock);
    si.Delay(25);
    si.Delay(-3);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{25, 0}));
}

}  // namespace
