#include "brevlink/transport/display_enumeration.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "brevlink/transport/scripted_transport.h"
#include "tests/brevlink/transport/fake_edid_device.h"

namespace brevlink {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::FakeEdidDevice;
using testing::GoodEdid;

// Buses listed in any order; a bus without an entry cannot be opened.
class FakeBusProvider : public I2cBusProvider {
  public:
    std::vector<int> listed;
    std::map<int, Bytes> devices;  // empty bytes: nothing at 0x50

    std::vector<int> ListBuses() override { return listed; }
    std::unique_ptr<I2cTransport> OpenBus(int bus) override {
        const auto it = devices.find(bus);
        if (it == devices.end()) {
            return nullptr;
        }
        return std::make_unique<FakeEdidDevice>(it->second);
    }
};

FakeBusProvider MixedBuses() {
    Bytes badHeader = GoodEdid();
    badHeader[7] = 0xFF;
    Bytes badChecksum = GoodEdid(7);
    badChecksum[20] ^= 0x01;
    FakeBusProvider provider;
    provider.listed = {5, 3, 1, 7, 2, 9, 3};
    provider.devices = {
        {1, {}},                     // no EDID
        {3, GoodEdid(3)},            // a display
        {5, badHeader},              // something else at 0x50
        {7, badChecksum},            // a display with a damaged EDID
        {9, Bytes(kEdidBlockSize)},  // zeros
    };
    return provider;
}

TEST(DisplayEnumerationTest, KeepsTheBusesWithAnEdidHeaderInBusOrder) {
    FakeBusProvider provider = MixedBuses();
    const std::vector<DisplayBus> displays = EnumerateDisplays(provider);

    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(displays[0].bus, 3);
    EXPECT_TRUE(displays[0].edidChecksumOk);
    EXPECT_EQ(Bytes(displays[0].edid.begin(), displays[0].edid.end()), GoodEdid(3));
    EXPECT_EQ(displays[1].bus, 7);
    EXPECT_FALSE(displays[1].edidChecksumOk);
    for (const DisplayBus& display : displays) {
        ASSERT_NE(display.transport, nullptr);
        uint8_t block[kEdidBlockSize];
        EXPECT_TRUE(ReadEdidBlock(*display.transport, block));  // left open for DDC/CI
    }
}

TEST(DisplayEnumerationTest, StopsAtTheMonitorTableSize) {
    FakeBusProvider provider;
    for (int bus = 0; bus < 20; ++bus) {
        provider.listed.push_back(bus);
        provider.devices[bus] = GoodEdid(static_cast<uint8_t>(bus));
    }
    EXPECT_EQ(EnumerateDisplays(provider).size(), kMaxDisplays);
    FakeBusProvider mixed = MixedBuses();
    const std::vector<DisplayBus> one = EnumerateDisplays(mixed, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].bus, 3);
}

TEST(DisplayEnumerationTest, ReadsTheBaseBlockFromOffsetZero) {
    const Bytes edid = GoodEdid();
    ScriptedTransport bus;
    bus.ExpectWrite(kEdidAddress, {0x00}).ExpectRead(kEdidAddress, edid);
    uint8_t block[kEdidBlockSize] = {};
    ASSERT_TRUE(ReadEdidBlock(bus, block));
    EXPECT_EQ(Bytes(block, block + kEdidBlockSize), edid);
    EXPECT_TRUE(bus.Mismatches().empty());

    ScriptedTransport refusing;
    refusing.ExpectWrite(kEdidAddress, {0x00}, false);
    EXPECT_FALSE(ReadEdidBlock(refusing, block));
    EXPECT_EQ(refusing.Remaining(), 0u);
}

TEST(DisplayEnumerationTest, HeaderCheckStaysInBounds) {
    const Bytes edid = GoodEdid();
    EXPECT_TRUE(HasEdidHeader(edid.data(), 8));
    EXPECT_FALSE(HasEdidHeader(edid.data(), 7));
    EXPECT_FALSE(HasEdidHeader(nullptr, 128));
}

}  // namespace
}  // namespace brevlink
