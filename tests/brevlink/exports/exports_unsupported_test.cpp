// The entry points the tester never calls answer "not supported" and leave nothing stale in
// what the caller gave them to fill.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

TEST(ExportsUnsupported, AnswerZeroAndEmptyTheirOutputs) {
    ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
    const WrapperTable& wr = LoadedLibrary::Get().Table();
    uint32_t value = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    char text[8] = {};
    uint32_t size = 0;
    uint8_t bytes[4] = {1, 2, 3, 4};
    const uint16_t ramp[3] = {0, 1, 2};
    auto fill = [&] {
        value = 77;
        left = top = right = bottom = 77;
        std::strcpy(text, "stale");
        size = sizeof(text);
    };
    struct Case {
        const char* name;
        std::function<int32_t()> call;
        bool emptiesText;
        bool zeroesSize;
        bool zeroesValue;
    };
    const Case cases[] = {
        {"WrWmDisplayChange", [&] { return wr.WrWmDisplayChange(); }, false, false, false},
        {"WrGetDriverInfo", [&] { return wr.WrGetDriverInfo(0, text, &size); }, true, true, false},
        {"WrSetDriverFromInfo", [&] { return wr.WrSetDriverFromInfo("NULL API"); }, false, false, false},
        {"WrGetDriverIndex", [&] { return wr.WrGetDriverIndex(); }, false, false, false},
        {"WrSetDriverIndex", [&] { return wr.WrSetDriverIndex(1); }, false, false, false},
        {"WrSaveDisplayConfiguration", [&] { return wr.WrSaveDisplayConfiguration(); }, false, false, false},
        {"WrRestoreDisplayConfiguration", [&] { return wr.WrRestoreDisplayConfiguration(); }, false, false, false},
        {"WrDDCSetRetries", [&] { return wr.WrDDCSetRetries(3); }, false, false, false},
        {"WrDDCSendVCPCommandNoData", [&] { return wr.WrDDCSendVCPCommandNoData(1, 0x10); }, false, false, false},
        {"WrDDCGetVCPReply", [&] { return wr.WrDDCGetVCPReply(1, bytes, &size); }, false, true, false},
        {"WrDDCSetSendRaw", [&] { return wr.WrDDCSetSendRaw(1); }, false, false, false},
        {"WrDDCSendRawPacket", [&] { return wr.WrDDCSendRawPacket(1, bytes, 4); }, false, false, false},
        {"WrDDCSendVCPCommandBuffBuilt", [&] { return wr.WrDDCSendVCPCommandBuffBuilt(1, bytes, 4); }, false, false,
         false},
        {"WrEDIDGetMobileInfo", [&] { return wr.WrEDIDGetMobileInfo(1, 100, text, &size); }, true, true, false},
        {"WrCapsSaveString", [&] { return wr.WrCapsSaveString(1, "caps.txt"); }, false, false, false},
        {"WrOSDevCoordinates", [&] { return wr.WrOSDevCoordinates(1, &left, &top, &right, &bottom); }, false, false,
         true},
        {"WrOSGetCurrentMonitorIndex", [&] { return wr.WrOSGetCurrentMonitorIndex(); }, false, false, false},
        {"WrSelectDriver", [&] { return wr.WrSelectDriver("VMD API"); }, false, false, false},
        {"WrGammaSetRamp", [&] { return wr.WrGammaSetRamp(1, ramp, 3); }, false, false, false},
        {"WrDisplayWebPage", [&] { return wr.WrDisplayWebPage("about:blank"); }, false, false, false},
        {"WrZoneSetCoord", [&] { return wr.WrZoneSetCoord(1, 0, 0, 0, 10, 10); }, false, false, false},
        {"WrZoneSendCommand", [&] { return wr.WrZoneSendCommand(1, 0, 0x10, 1); }, false, false, false},
        {"WrDDCSend", [&] { return wr.WrDDCSend(1, bytes, 4); }, false, false, false},
        {"WrDDCRecv", [&] { return wr.WrDDCRecv(1, bytes, &size); }, false, true, false},
        {"WrDDCGetResponse", [&] { return wr.WrDDCGetResponse(1, bytes, &size); }, false, true, false},
        {"WrDDCSendNoCrc", [&] { return wr.WrDDCSendNoCrc(1, bytes, 4); }, false, false, false},
        {"WrDDCSendWithCrc", [&] { return wr.WrDDCSendWithCrc(1, bytes, 4); }, false, false, false},
        {"WrDDCSendNoStop", [&] { return wr.WrDDCSendNoStop(1, bytes, 4); }, false, false, false},
        {"WrDDCSendByteRegister", [&] { return wr.WrDDCSendByteRegister(1, 0, 1); }, false, false, false},
        {"WrDDCSendWordRegister", [&] { return wr.WrDDCSendWordRegister(1, 0, 1); }, false, false, false},
        {"WrDDCReadByteRegister", [&] { return wr.WrDDCReadByteRegister(1, 0, &value); }, false, false, true},
        {"WrDDCReadWordRegister", [&] { return wr.WrDDCReadWordRegister(1, 0, &value); }, false, false, true},
        {"WrGetViewMode", [&] { return wr.WrGetViewMode(&value); }, false, false, true},
        {"WrSetViewClone", [&] { return wr.WrSetViewClone(1); }, false, false, false},
        {"WrDDCGetRawPacket", [&] { return wr.WrDDCGetRawPacket(1, bytes, &size); }, false, true, false},
        {"WrBusStart", [&] { return wr.WrBusStart(1); }, false, false, false},
        {"WrBusStop", [&] { return wr.WrBusStop(1); }, false, false, false},
        {"WrGetAck", [&] { return wr.WrGetAck(1); }, false, false, false},
        {"WrSendAck", [&] { return wr.WrSendAck(1); }, false, false, false},
        {"WrSendNak", [&] { return wr.WrSendNak(1); }, false, false, false},
        {"WrSendByte", [&] { return wr.WrSendByte(1, 0x6E); }, false, false, false},
        {"WrReadByte", [&] { return wr.WrReadByte(1, &value); }, false, false, true},
        {"WrDDCSetPort", [&] { return wr.WrDDCSetPort(1, 2); }, false, false, false},
        {"WrDDCSetAltDisplayMask", [&] { return wr.WrDDCSetAltDisplayMask(2); }, false, false, false},
        {"WrDDCUseAltDisplayMask", [&] { return wr.WrDDCUseAltDisplayMask(1); }, false, false, false},
        {"WrDDCGetAltDisplayMask", [&] { return wr.WrDDCGetAltDisplayMask(&value); }, false, false, true},
    };
    for (const Case& entry : cases) {
        fill();
        EXPECT_EQ(entry.call(), 0) << entry.name;
        if (entry.emptiesText) {
            EXPECT_STREQ(text, "") << entry.name;
        }
        if (entry.zeroesSize) {
            EXPECT_EQ(size, 0u) << entry.name;
        }
        if (entry.zeroesValue) {
            // Each such entry has either one value or the four coordinates to fill.
            EXPECT_TRUE(value == 0 || (left == 0 && top == 0 && right == 0 && bottom == 0)) << entry.name;
        }
    }
}

// Null pointers where a caller would pass buffers: nothing is written, nothing crashes.
TEST(ExportsUnsupported, NullOutputsAreSafe) {
    ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
    const WrapperTable& wr = LoadedLibrary::Get().Table();
    EXPECT_EQ(wr.WrGetDriverInfo(0, nullptr, nullptr), 0);
    EXPECT_EQ(wr.WrDDCRecv(1, nullptr, nullptr), 0);
    EXPECT_EQ(wr.WrOSDevCoordinates(1, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(wr.WrReadByte(1, nullptr), 0);
    EXPECT_EQ(wr.WrGetViewMode(nullptr), 0);
    EXPECT_EQ(wr.WrEDIDGetMobileInfo(1, 100, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace brevlink::testing
