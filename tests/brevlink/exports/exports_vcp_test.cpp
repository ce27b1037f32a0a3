// VCP reads and writes through the loaded library, down the whole wire path to a lab monitor.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

class ExportsVcp : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
        ResetToBuiltinLab(wr);
    }

    struct Range {
        int32_t result = -1;
        uint32_t minimum = 99;
        uint32_t maximum = 99;
        uint32_t current = 99;
    };

    Range Read(int32_t monitor, uint32_t code) {
        Range range;
        range.result = wr.WrDDCGetRange(monitor, code, &range.minimum, &range.maximum, &range.current, 5);
        return range;
    }

    const WrapperTable& wr = LoadedLibrary::Get().Table();
};

TEST_F(ExportsVcp, ReadsRangeAndCurrentValueOfTheBuiltinMonitor) {
    struct Case {
        uint32_t code;
        uint32_t maximum;
        uint32_t current;
    };
    const Case cases[] = {
        {0x10, 100, 75}, {0x12, 100, 70}, {0x14, 11, 5}, {0xDF, 0xFFFF, 0x0202}, {0xAC, 0xFFFF, 6750}};
    for (const Case& c : cases) {
        const Range range = Read(1, c.code);
        EXPECT_EQ(range.result, 1) << std::hex << c.code;
        EXPECT_EQ(range.minimum, 0u) << std::hex << c.code;
        EXPECT_EQ(range.maximum, c.maximum) << std::hex << c.code;
        EXPECT_EQ(range.current, c.current) << std::hex << c.code;
    }
}

TEST_F(ExportsVcp, RtnGivesTheBytesOnTheWire) {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
    std::array<uint8_t, 10> sent{};
    std::array<uint8_t, 40> reply{};
    uint32_t sentSize = sent.size();
    uint32_t replySize = reply.size();
    ASSERT_EQ(
        wr.WrDDCGetRangeRtn(1, 0x10, &minimum, &maximum, &current, 5, sent.data(), &sentSize, reply.data(), &replySize),
        1);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + sentSize),
              (std::vector<uint8_t>{0x6E, 0x51, 0x82, 0x01, 0x10, 0x6E ^ 0x51 ^ 0x82 ^ 0x01 ^ 0x10}));
    const std::vector<uint8_t> expected = {
        0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x4B, 0x50 ^ 0x6E ^ 0x88 ^ 0x02 ^ 0x10 ^ 0x64 ^ 0x4B};
    EXPECT_EQ(std::vector<uint8_t>(reply.begin(), reply.begin() + replySize), expected);
}

TEST_F(ExportsVcp, UnsupportedCodeAnswersZeroWithResultCodeOneInReplyByteThree) {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
    std::array<uint8_t, 10> sent{};
    std::array<uint8_t, 40> reply{};
    uint32_t sentSize = sent.size();
    uint32_t replySize = reply.size();
    EXPECT_EQ(
        wr.WrDDCGetRangeRtn(1, 0xE0, &minimum, &maximum, &current, 5, sent.data(), &sentSize, reply.data(), &replySize),
        0);
    ASSERT_GT(replySize, 4u);
    EXPECT_EQ(reply[3], 0x01);
    EXPECT_EQ(reply[4], 0xE0);
}

TEST_F(ExportsVcp, WriteThenReadBack) {
    ASSERT_EQ(wr.WrDDCSendVCPCommand(1, 0x10, 30), 1);
    EXPECT_EQ(Read(1, 0x10).current, 30u);
    EXPECT_EQ(wr.WrDDCSendVCPCommandAndVerify(1, 0x12, 44), 1);
    EXPECT_EQ(LabCommand(wr, "writes 1"), "0x10 30\n0x12 44\n");
}

TEST_F(ExportsVcp, SendRtnGivesTheSixBytesFromLengthToChecksum) {
    std::array<uint8_t, 10> sent{};
    uint32_t sentSize = sent.size();
    ASSERT_EQ(wr.WrDDCSendVCPCommandRtn(1, 0x10, 0x1234, sent.data(), &sentSize), 1);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + sentSize),
              (std::vector<uint8_t>{0x84, 0x03, 0x10, 0x12, 0x34, 0x6E ^ 0x51 ^ 0x84 ^ 0x03 ^ 0x10 ^ 0x12 ^ 0x34}));
}

TEST_F(ExportsVcp, SentAndReplyBytesAreCutToTheCapacityGiven) {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
    std::array<uint8_t, 10> sent{};
    std::array<uint8_t, 40> reply{};
    uint32_t sentSize = 4;
    uint32_t replySize = 5;
    EXPECT_EQ(
        wr.WrDDCGetRangeRtn(1, 0x10, &minimum, &maximum, &current, 5, sent.data(), &sentSize, reply.data(), &replySize),
        1);
    EXPECT_EQ(sentSize, 4u);
    EXPECT_EQ(replySize, 5u);
    EXPECT_EQ(sent[4], 0);
    EXPECT_EQ(reply[5], 0);
}

TEST_F(ExportsVcp, BadMonitorsCodesValuesAndNullPointersAnswerZero) {
    uint32_t value = 0;
    std::array<uint8_t, 40> bytes{};
    uint32_t size = 10;
    for (int32_t monitor : {0, 2, 16, 17, -1, 1000}) {
        EXPECT_EQ(Read(monitor, 0x10).result, 0) << monitor;
        EXPECT_EQ(wr.WrDDCSendVCPCommand(monitor, 0x10, 1), 0) << monitor;
    }
    EXPECT_EQ(Read(1, 0x110).result, 0);
    EXPECT_EQ(wr.WrDDCSendVCPCommand(1, 0x10, 0x10000), 0);
    EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, nullptr, &value, &value, 0), 0);
    EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, &value, nullptr, &value, 0), 0);
    EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, nullptr, 0), 0);
    EXPECT_EQ(wr.WrDDCGetRangeRtn(1, 0x10, &value, &value, &value, 0, nullptr, &size, bytes.data(), &size), 0);
    EXPECT_EQ(wr.WrDDCGetRangeRtn(1, 0x10, &value, &value, &value, 0, bytes.data(), nullptr, bytes.data(), &size), 0);
    EXPECT_EQ(wr.WrDDCGetRangeRtn(1, 0x10, &value, &value, &value, 0, bytes.data(), &size, nullptr, &size), 0);
    EXPECT_EQ(wr.WrDDCGetRangeRtn(1, 0x10, &value, &value, &value, 0, bytes.data(), &size, bytes.data(), nullptr), 0);
    EXPECT_EQ(wr.WrDDCSendVCPCommandRtn(1, 0x10, 1, nullptr, &size), 0);
    EXPECT_EQ(wr.WrDDCSendVCPCommandRtn(1, 0x10, 1, bytes.data(), nullptr), 0);
    EXPECT_EQ(wr.WrDDCReadEDID(1, nullptr, &size), 0);
    EXPECT_EQ(wr.WrDDCReadEDID(1, bytes.data(), nullptr), 0);
    EXPECT_EQ(wr.WrDDCReadEDID(9, bytes.data(), &size), 0);
    EXPECT_EQ(size, 0u);
}

TEST_F(ExportsVcp, ReadsTheRawEdidCutToTheBuffer) {
    std::array<uint8_t, 256> edid{};
    uint32_t size = edid.size();
    ASSERT_EQ(wr.WrDDCReadEDID(1, edid.data(), &size), 1);
    EXPECT_EQ(size, 128u);
    EXPECT_EQ(edid[0], 0x00);
    EXPECT_EQ(edid[1], 0xFF);
    size = 8;
    ASSERT_EQ(wr.WrEDID(1, edid.data(), &size), 1);
    EXPECT_EQ(size, 8u);
}

// Each faulty profile's misbehaviour, seen from the caller's side of the library.
TEST_F(ExportsVcp, SilentCodeNeverAnswersWhileOthersDo) {
    ASSERT_TRUE(UseLabProfile(wr, "faulty-silent-code.json"));
    EXPECT_EQ(Read(1, 0x12).result, 0);
    EXPECT_EQ(Read(1, 0x10).result, 1);
}

TEST_F(ExportsVcp, BadChecksumRepliesAreRefusedAndNotHandedBack) {
    ASSERT_TRUE(UseLabProfile(wr, "faulty-bad-checksum.json"));
    wr.WrLogEnableWrap(1);
    wr.WrLogClearWrap();
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t current = 0;
    std::array<uint8_t, 10> sent{};
    std::array<uint8_t, 40> reply{};
    uint32_t sentSize = sent.size();
    uint32_t replySize = reply.size();
    EXPECT_EQ(
        wr.WrDDCGetRangeRtn(1, 0x10, &minimum, &maximum, &current, 5, sent.data(), &sentSize, reply.data(), &replySize),
        0);
    EXPECT_EQ(sentSize, 6u);
    // A caller reads byte 3 of a reply as the result code; a reply that failed its checksum has none.
    EXPECT_EQ(replySize, 0u);
    // The wrap log still shows what came over the wire: the frame with its wrong checksum.
    char line[128] = {};
    uint32_t size = sizeof(line);
    ASSERT_EQ(wr.WrLogGetWrapEntry(1, line, &size), 1);
    EXPECT_EQ(std::string(line).rfind("monitor 1 r 6E 88 02 00 10 00 00 64 00 4B ", 0), 0u) << line;
    wr.WrLogDisableWrap();
    EXPECT_EQ(Read(1, 0x12).result, 1);
}

TEST_F(ExportsVcp, IgnoredWritesAreAcknowledgedButChangeNothing) {
    ASSERT_TRUE(UseLabProfile(wr, "faulty-ignored-writes.json"));
    EXPECT_EQ(wr.WrDDCSendVCPCommand(1, 0x10, 20), 1);
    EXPECT_EQ(Read(1, 0x10).current, 75u);
    EXPECT_EQ(wr.WrDDCSendVCPCommandAndVerify(1, 0x10, 20), 0);
    EXPECT_EQ(wr.WrDDCSendVCPCommandAndVerify(1, 0x12, 20), 1);
    EXPECT_EQ(LabCommand(wr, "writes 1"), "0x10 20 ignored\n0x10 20 ignored\n0x12 20\n");
}

TEST_F(ExportsVcp, RestoreLeavesZerosForThreeReplies) {
    ASSERT_TRUE(UseLabProfile(wr, "faulty-restore-zeros.json"));
    ASSERT_EQ(wr.WrDDCSendVCPCommand(1, 0x10, 20), 1);
    ASSERT_EQ(wr.WrDDCSendVCPCommand(1, 0x04, 1), 1);
    for (int i = 0; i < 3; ++i) {
        const Range range = Read(1, 0x10);
        EXPECT_EQ(range.result, 1) << i;
        EXPECT_EQ(range.maximum, 0u) << i;
        EXPECT_EQ(range.current, 0u) << i;
    }
    const Range range = Read(1, 0x10);
    EXPECT_EQ(range.maximum, 100u);
    EXPECT_EQ(range.current, 75u);  // restored to the factory value
}

TEST_F(ExportsVcp, TwoMonitorsAnswerAtTheirOwnPositions) {
    ASSERT_TRUE(UseLabProfile(wr, "two-monitors.json"));
    EXPECT_EQ(Read(1, 0x10).result, 0);
    EXPECT_EQ(Read(2, 0x10).current, 75u);
    EXPECT_EQ(Read(5, 0x10).current, 40u);
    ASSERT_EQ(wr.WrDDCSendVCPCommand(5, 0x10, 9), 1);
    EXPECT_EQ(Read(2, 0x10).current, 75u);
    EXPECT_EQ(Read(5, 0x10).current, 9u);
}

}  // namespace
}  // namespace brevlink::testing
