#include "brevlink/exports/bus_backend.h"

#include <gtest/gtest.h>

#include <map>

#include "brevlink/exports/monitor_session.h"
#include "brevlink/sim/profile_json.h"

namespace brevlink {
namespace {

// Forwards to a lab monitor's bus but asks for the waits a real bus needs.
class RealLookingBus : public I2cTransport {
  public:
    explicit RealLookingBus(I2cTransport& inner) : inner_(inner) {}
    bool Write(uint8_t address, const uint8_t* data, size_t size) override { return inner_.Write(address, data, size); }
    bool Read(uint8_t address, uint8_t* data, size_t size) override { return inner_.Read(address, data, size); }
    bool NeedsBusWaits() const override { return true; }

  private:
    I2cTransport& inner_;
};

// Buses 9 and 3 carry lab monitors, bus 5 answers nothing at 0x50, bus 7 cannot be opened.
class LabBuses : public I2cBusProvider {
  public:
    explicit LabBuses(sim::Lab& lab) : lab_(lab) {}
    std::vector<int> ListBuses() override { return {9, 5, 7, 3}; }
    std::unique_ptr<I2cTransport> OpenBus(int bus) override {
        static const std::map<int, int> kPositions = {{9, 5}, {3, 2}};
        const auto it = kPositions.find(bus);
        if (it != kPositions.end()) {
            return std::make_unique<RealLookingBus>(lab_.AtPosition(it->second)->Bus());
        }
        if (bus == 5) {
            sim::MonitorProfile blank;
            blank.position = 1;
            blanks_.push_back(std::make_unique<sim::SimMonitor>(blank));
            return std::make_unique<RealLookingBus>(blanks_.back()->Bus());
        }
        return nullptr;
    }

  private:
    sim::Lab& lab_;
    std::vector<std::unique_ptr<sim::SimMonitor>> blanks_;
};

class NoWaits : public ddcci::Waiter {
  public:
    void WaitMs(uint32_t ms) override { now_ += ms; }
    uint64_t NowMs() override { return now_; }

  private:
    uint64_t now_ = 0;
};

TEST(BusBackend, BusesWithAnEdidBecomeMonitorsInBusOrder) {
    sim::Lab lab(*sim::LoadProfileFile(std::string(KESTROVA_SOURCE_DIR) + "/lab/two-monitors.json").profile);
    std::unique_ptr<Backend> backend = MakeBusBackend(std::make_unique<LabBuses>(lab));
    EXPECT_EQ(backend->LabOrNull(), nullptr);
    const std::vector<MonitorLink> links = backend->Monitors();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].position, 1);
    EXPECT_EQ(links[0].facts.deviceName, "/dev/i2c-3");
    EXPECT_EQ(links[0].facts.i2cPort, 3u);
    EXPECT_EQ(links[1].position, 2);
    EXPECT_EQ(links[1].facts.deviceName, "/dev/i2c-9");
    EXPECT_EQ(links[1].facts.driverName, "Brevlink i2c-dev");
    // The same DDC/CI code runs on top: bus 9 is the lab's monitor at position 5.
    NoWaits waiter;
    MonitorSession session(links[1].position, *links[1].transport, waiter, links[1].facts);
    const ddcci::VcpReading reading = session.GetVcp(0x10);
    ASSERT_EQ(reading.status, ddcci::DdcStatus::kOk);
    EXPECT_EQ(reading.reply.current, 40);
    ASSERT_NE(session.Edid(), nullptr);
    EXPECT_STREQ(session.Edid()->monitorName, "BREVLINK LAB2");
}

}  // namespace
}  // namespace brevlink
