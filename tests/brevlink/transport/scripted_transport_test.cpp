#include "brevlink/transport/scripted_transport.h"

#include <gtest/gtest.h>

#include <vector>

namespace brevlink {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ScriptedTransportTest, AnswersAndPadsReads) {
    ScriptedTransport bus;
    bus.ExpectRead(0x37, {0x6E, 0x80, 0xBE}).ExpectRead(0x37, {1, 2, 3, 4}).ExpectRead(0x37, {}, false);
    Bytes padded(5);
    EXPECT_TRUE(bus.Read(0x37, padded.data(), padded.size()));
    EXPECT_EQ(padded, (Bytes{0x6E, 0x80, 0xBE, 0xFF, 0xFF}));
    Bytes cut(2);
    EXPECT_TRUE(bus.Read(0x37, cut.data(), cut.size()));
    EXPECT_EQ(cut, (Bytes{1, 2}));
    EXPECT_FALSE(bus.Read(0x37, cut.data(), cut.size()));
    EXPECT_TRUE(bus.Mismatches().empty());
}

TEST(ScriptedTransportTest, RecordsEveryDeparture) {
    ScriptedTransport bus;
    bus.ExpectWrite(0x37, {0x51, 0x80, 0xBE}).ExpectRead(0x37, {0x6E});
    const uint8_t other[] = {0x51, 0x81};
    EXPECT_TRUE(bus.Write(0x37, other, sizeof other));  // still acknowledged
    uint8_t byte = 0;
    bus.Write(0x50, other, 1);               // a write where a read was due
    EXPECT_FALSE(bus.Read(0x37, &byte, 1));  // past the end
    ASSERT_EQ(bus.Mismatches().size(), 3u);
    EXPECT_EQ(bus.Mismatches()[0], "step 1: expected write 51 80 BE, got 51 81");
    EXPECT_EQ(bus.Mismatches()[1], "step 2: expected read at 0x37, got write at 0x50");
    EXPECT_EQ(bus.Mismatches()[2], "unexpected read at 0x37 after the script ended");
    EXPECT_EQ(bus.Remaining(), 0u);
}

}  // namespace
}  // namespace brevlink
