#include "brevlink/sim/edid_eeprom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevlink::sim {
namespace {

std::vector<uint8_t> Counting(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
    }
    return bytes;
}

TEST(EdidEeprom, ReadsFromTheOffsetAndWrapsWithinTheSegment) {
    const std::vector<uint8_t> edid = Counting(256);
    EdidEeprom eeprom(edid);
    const uint8_t offset = 0xFE;
    ASSERT_TRUE(eeprom.Write(&offset, 1));
    uint8_t bytes[4] = {};
    ASSERT_TRUE(eeprom.Read(bytes, 4));
    EXPECT_EQ(bytes[0], edid[0xFE]);
    EXPECT_EQ(bytes[1], edid[0xFF]);
    EXPECT_EQ(bytes[2], edid[0x00]);
    EXPECT_EQ(bytes[3], edid[0x01]);
}

TEST(EdidEeprom, PastTheEndTheBusFloatsHigh) {
    EdidEeprom eeprom(Counting(128));
    const uint8_t offset = 0x7F;
    ASSERT_TRUE(eeprom.Write(&offset, 1));
    uint8_t bytes[2] = {};
    ASSERT_TRUE(eeprom.Read(bytes, 2));
    EXPECT_EQ(bytes[1], 0xFF);
}

TEST(EdidEeprom, SegmentPointerLastsUntilTheStopUnlessTheProfileKeepsIt) {
    const std::vector<uint8_t> edid = Counting(512);
    const uint8_t segment = 1;
    const uint8_t offset = 0x80;
    struct Case {
        bool keepAcrossStop;
        bool stopAfterSegment;  // the segment write ended with a STOP, not a repeated start
        size_t expected;
    };
    for (const Case& c : {Case{false, false, 0x180}, Case{false, true, 0x80}, Case{true, true, 0x180}}) {
        SCOPED_TRACE(std::to_string(c.keepAcrossStop) + std::to_string(c.stopAfterSegment));
        EdidEeprom eeprom(edid);
        eeprom.SetSegmentAcrossStop(c.keepAcrossStop);
        ASSERT_TRUE(eeprom.WriteSegment(&segment, 1));
        if (c.stopAfterSegment) {
            eeprom.Stop();
        }
        ASSERT_TRUE(eeprom.Write(&offset, 1));
        uint8_t byte = 0;
        ASSERT_TRUE(eeprom.Read(&byte, 1));
        EXPECT_EQ(byte, edid[c.expected]);
        eeprom.Stop();
        ASSERT_TRUE(eeprom.Write(&offset, 1));
        ASSERT_TRUE(eeprom.Read(&byte, 1));
        EXPECT_EQ(byte, edid[0x80]) << "back to segment 0";
    }
    EXPECT_FALSE(EdidEeprom(Counting(256)).WriteSegment(&segment, 1)) << "no segments beyond 256 bytes";
}

TEST(EdidEeprom, NoEdidNoAcknowledge) {
    EdidEeprom eeprom({});
    const uint8_t offset = 0;
    uint8_t byte = 0;
    EXPECT_FALSE(eeprom.Write(&offset, 1));
    EXPECT_FALSE(eeprom.Read(&byte, 1));
}

}  // namespace
}  // namespace brevlink::sim
