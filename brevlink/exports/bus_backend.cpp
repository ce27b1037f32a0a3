#include "brevlink/exports/bus_backend.h"

#include <utility>

namespace brevlink {
namespace {

// Every bus with an EDID at 0x50, in bus order, at positions 1, 2, ...
class BusBackend : public Backend {
  public:
    explicit BusBackend(std::unique_ptr<I2cBusProvider> provider)
        : provider_(std::move(provider)), displays_(EnumerateDisplays(*provider_)) {}

    std::vector<MonitorLink> Monitors() override {
        std::vector<MonitorLink> links;
        int position = 0;
        for (DisplayBus& display : displays_) {
            MonitorLink link;
            link.position = ++position;
            link.transport = display.transport.get();
            const std::string device = "/dev/i2c-" + std::to_string(display.bus);
            link.facts.deviceName = device;
            link.facts.deviceString = "I2C bus " + std::to_string(display.bus);
            link.facts.monitorDevice = device + "@0x37";
            link.facts.monitorString = "DDC/CI monitor on " + device;
            link.facts.driverName = "Brevlink i2c-dev";
            link.facts.i2cSupport = "Linux i2c-dev";
            link.facts.i2cPort = static_cast<uint32_t>(display.bus);
            link.facts.i2cTiming = 100.0f;  // kHz: the standard DDC clock
            links.push_back(std::move(link));
        }
        return links;
    }

  private:
    std::unique_ptr<I2cBusProvider> provider_;
    std::vector<DisplayBus> displays_;
};

}  // namespace

std::unique_ptr<Backend> MakeBusBackend(std::unique_ptr<I2cBusProvider> provider) {
    return std::make_unique<BusBackend>(std::move(provider));
}

}  // namespace brevlink
