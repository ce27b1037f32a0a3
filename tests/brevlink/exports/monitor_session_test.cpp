#include "brevlink/exports/monitor_session.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "brevlink/sim/profile_json.h"
#include "brevlink/sim/sim_monitor.h"

namespace brevlink {
namespace {

class RecordingWaiter : public ddcci::Waiter {
  public:
    void WaitMs(uint32_t ms) override {
        waits.push_back(ms);
        now += ms;
    }
    uint64_t NowMs() override { return now; }

    std::vector<uint32_t> waits;
    uint64_t now = 0;
};

// The lab's bus, dressed as a real one so that the host's waits show.
class SlowBus : public I2cTransport {
  public:
    explicit SlowBus(I2cTransport& inner) : inner_(inner) {}
    bool Write(uint8_t address, const uint8_t* data, size_t size) override { return inner_.Write(address, data, size); }
    bool Read(uint8_t address, uint8_t* data, size_t size) override { return inner_.Read(address, data, size); }
    bool Transfer(I2cMessage* messages, size_t count) override { return inner_.Transfer(messages, count); }
    bool NeedsBusWaits() const override { return true; }

  private:
    I2cTransport& inner_;
};

std::vector<uint8_t> Block(uint8_t first, uint8_t extensions) {
    std::vector<uint8_t> block(128, 0);
    block[0] = first;
    if (first == 0x00) {
        const uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
        std::copy(std::begin(header), std::end(header), block.begin());
        block[126] = extensions;
    }
    block[127] = static_cast<uint8_t>(0x100 - std::accumulate(block.begin(), block.end() - 1, 0) % 0x100);
    return block;
}

sim::MonitorProfile WithEdid(std::vector<uint8_t> edid) {
    sim::MonitorProfile profile = sim::BuiltinProfile().monitors.at(0);
    profile.edid = std::move(edid);
    return profile;
}

TEST(MonitorSession, ReadsAVcpFeatureThroughTheWholeWirePath) {
    sim::SimMonitor monitor(sim::BuiltinProfile().monitors.at(0));
    RecordingWaiter waiter;
    MonitorSession session(1, monitor.Bus(), waiter, {});
    const ddcci::VcpReading reading = session.GetVcp(0x12, 40);
    ASSERT_EQ(reading.status, ddcci::DdcStatus::kOk);
    EXPECT_EQ(reading.reply.maximum, 100);
    EXPECT_EQ(reading.reply.current, 70);
    EXPECT_EQ(reading.sent.size, 6u);
    EXPECT_EQ(reading.received.size, 11u);
    EXPECT_TRUE(waiter.waits.empty()) << "the lab needs no waits";
}

TEST(MonitorSession, CallersWaitGoesBeforeTheRequestOnARealBus) {
    sim::SimMonitor monitor(sim::BuiltinProfile().monitors.at(0));
    SlowBus bus(monitor.Bus());
    RecordingWaiter waiter;
    MonitorSession session(1, bus, waiter, {});
    ASSERT_EQ(session.GetVcp(0x10, 25).status, ddcci::DdcStatus::kOk);
    ASSERT_FALSE(waiter.waits.empty());
    EXPECT_EQ(waiter.waits.front(), 25u);
    EXPECT_EQ(std::accumulate(waiter.waits.begin(), waiter.waits.end(), 0u), 25u + ddcci::kGetVcpReplyDelayMs);
}

TEST(MonitorSession, CapabilitiesAreReadOnceUntilReparsed) {
    sim::SimMonitor monitor(sim::BuiltinProfile().monitors.at(0));
    RecordingWaiter waiter;
    MonitorSession session(1, monitor.Bus(), waiter, {});
    const caps::Capabilities* parsed = session.Capabilities();
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(parsed->raw, monitor.Profile().capabilities);
    const uint64_t transactions = monitor.Bus().Transactions();
    EXPECT_EQ(session.Capabilities(), parsed);
    EXPECT_EQ(monitor.Bus().Transactions(), transactions);
    EXPECT_TRUE(session.Reparse());
    EXPECT_GT(monitor.Bus().Transactions(), transactions);
}

TEST(MonitorSession, NoCapabilitiesIsRememberedAndCanBeOverridden) {
    sim::MonitorProfile profile = sim::BuiltinProfile().monitors.at(0);
    profile.capabilities.clear();
    sim::SimMonitor monitor(profile);
    RecordingWaiter waiter;
    MonitorSession session(1, monitor.Bus(), waiter, {});
    EXPECT_EQ(session.Capabilities(), nullptr);
    const uint64_t transactions = monitor.Bus().Transactions();
    EXPECT_EQ(session.Capabilities(), nullptr);
    EXPECT_EQ(monitor.Bus().Transactions(), transactions);
    session.OverrideCapabilities("(vcp(10))");
    ASSERT_NE(session.Capabilities(), nullptr);
    EXPECT_TRUE(session.Capabilities()->listed.test(0x10));
}

TEST(ReadEdid, ReadsTheDeclaredExtensionsThroughTheSegmentPointer) {
    struct Case {
        uint8_t extensions;
        size_t present;  // extension blocks the EEPROM holds
        size_t expected;
    };
    for (const Case& c : {Case{0, 0, 128}, Case{1, 1, 256}, Case{3, 3, 512}, Case{3, 1, 256}, Case{9, 5, 512}}) {
        std::vector<uint8_t> edid = Block(0x00, c.extensions);
        for (size_t i = 0; i < c.present; ++i) {
            const std::vector<uint8_t> extension = Block(static_cast<uint8_t>(0x02 + i), 0);
            edid.insert(edid.end(), extension.begin(), extension.end());
        }
        sim::SimMonitor monitor(WithEdid(edid));
        std::vector<uint8_t> read;
        ASSERT_TRUE(ReadEdid(monitor.Bus(), read)) << int(c.extensions);
        ASSERT_EQ(read.size(), c.expected) << int(c.extensions);
        EXPECT_TRUE(std::equal(read.begin(), read.end(), edid.begin())) << int(c.extensions);
    }
}

TEST(ReadEdid, NoEdidNoBytes) {
    sim::SimMonitor monitor(WithEdid({}));
    std::vector<uint8_t> read = {1, 2, 3};
    EXPECT_FALSE(ReadEdid(monitor.Bus(), read));
    EXPECT_TRUE(read.empty());
    RecordingWaiter waiter;
    MonitorSession session(1, monitor.Bus(), waiter, {});
    EXPECT_EQ(session.Edid(), nullptr);
}

}  // namespace
}  // namespace brevlink
