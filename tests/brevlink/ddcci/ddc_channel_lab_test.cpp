// The channel and the display enumeration against the simulated monitor, through the same
// transport seam a /dev/i2c-N adapter fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/sim/lab.h"
#include "brevlink/sim/profile_json.h"
#include "brevlink/transport/display_enumeration.h"

namespace brevlink::ddcci {
namespace {

class CountingWaiter : public Waiter {
  public:
    void WaitMs(uint32_t) override { waits++; }
    uint64_t NowMs() override { return 0; }
    int waits = 0;
};

// The lab's monitors as buses numbered by attach position.
class LabBusProvider : public I2cBusProvider {
  public:
    explicit LabBusProvider(sim::Lab& lab) : lab_(lab) {}
    std::vector<int> ListBuses() override {
        std::vector<int> buses;
        for (int position = sim::kMinPosition; position <= sim::kMaxPosition; ++position) {
            buses.push_back(position);
        }
        return buses;
    }
    std::unique_ptr<I2cTransport> OpenBus(int bus) override {
        sim::SimMonitor* monitor = lab_.AtPosition(bus);
        return monitor == nullptr ? nullptr : std::make_unique<Borrowed>(monitor->Bus());
    }

  private:
    class Borrowed : public I2cTransport {
      public:
        explicit Borrowed(I2cTransport& bus) : bus_(bus) {}
        bool Write(uint8_t address, const uint8_t* data, size_t size) override {
            return bus_.Write(address, data, size);
        }
        bool Read(uint8_t address, uint8_t* data, size_t size) override { return bus_.Read(address, data, size); }
        bool NeedsBusWaits() const override { return bus_.NeedsBusWaits(); }

      private:
        I2cTransport& bus_;
    };

    sim::Lab& lab_;
};

class DdcChannelLabTest : public ::testing::Test {
  protected:
    DdcChannelLabTest() : lab_(sim::BuiltinProfile()) {}

    sim::SimMonitor& FirstMonitor() { return *lab_.Monitors().front(); }

    sim::Lab lab_;
    CountingWaiter waiter_;
};

TEST_F(DdcChannelLabTest, ReadsWritesAndReadsBack) {
    sim::SimMonitor& monitor = FirstMonitor();
    DdcChannel channel(monitor.Bus(), waiter_);
    const sim::FeatureAnswer brightness = monitor.Model().Get(0x10);
    ASSERT_TRUE(brightness.supported);

    VcpReading reading = channel.GetVcp(0x10);
    ASSERT_EQ(reading.status, DdcStatus::kOk);
    EXPECT_EQ(reading.reply.maximum, brightness.maximum);
    EXPECT_EQ(reading.reply.current, brightness.current);
    EXPECT_EQ(reading.received.size, kVcpReplySize);

    const auto wanted = static_cast<uint16_t>(brightness.maximum / 2);
    EXPECT_EQ(channel.SetVcp(0x10, wanted).status, DdcStatus::kOk);
    reading = channel.GetVcp(0x10);
    EXPECT_EQ(reading.status, DdcStatus::kOk);
    EXPECT_EQ(reading.reply.current, wanted);
    EXPECT_EQ(waiter_.waits, 0);  // the lab answers at once
}

TEST_F(DdcChannelLabTest, ReadsTheWholeCapabilitiesString) {
    sim::SimMonitor& monitor = FirstMonitor();
    DdcChannel channel(monitor.Bus(), waiter_);
    const CapabilitiesRead read = channel.ReadCapabilities();
    EXPECT_EQ(read.status, DdcStatus::kOk);
    EXPECT_EQ(read.text, monitor.Profile().capabilities);
    EXPECT_GT(read.stats.requests, 1);
}

TEST_F(DdcChannelLabTest, ReportsTheLabsFaults) {
    sim::SimMonitor& monitor = FirstMonitor();
    monitor.Port().MutableFaults().badChecksumCodes = {0x10};
    monitor.Port().MutableFaults().silentCodes = {0x12};
    DdcChannel channel(monitor.Bus(), waiter_);

    const VcpReading badChecksum = channel.GetVcp(0x10);
    EXPECT_EQ(badChecksum.status, DdcStatus::kBadChecksum);
    EXPECT_EQ(badChecksum.stats.checksumErrors, 3);
    EXPECT_EQ(channel.GetVcp(0x12).status, DdcStatus::kBusError);
}

TEST_F(DdcChannelLabTest, EnumeratesTheLabsMonitors) {
    LabBusProvider provider(lab_);
    const std::vector<DisplayBus> displays = EnumerateDisplays(provider);
    ASSERT_EQ(displays.size(), lab_.Monitors().size());
    for (size_t i = 0; i < displays.size(); ++i) {
        EXPECT_EQ(displays[i].bus, lab_.Monitors()[i]->Profile().position);
        const std::vector<uint8_t>& edid = lab_.Monitors()[i]->Profile().edid;
        ASSERT_GE(edid.size(), kEdidBlockSize);
        EXPECT_TRUE(std::equal(edid.begin(), edid.begin() + kEdidBlockSize, displays[i].edid.begin()));
    }
}

}  // namespace
}  // namespace brevlink::ddcci
