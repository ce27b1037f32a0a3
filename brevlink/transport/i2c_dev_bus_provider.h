// The buses of /dev/i2c-*, for the display enumeration. Only display adapters are probed: an
// adapter whose sysfs name is an SMBus or a GPU's power-management controller, or whose PCI
// device is neither a display controller nor a docking station, never gets a write to 0x50.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "brevlink/transport/display_enumeration.h"
#include "brevlink/transport/i2c_dev_ops.h"
#include "brevlink/transport/i2c_dev_transport.h"

namespace brevlink {

// "i2c-12" gives 12; false for any other name.
bool ParseI2cDevName(const std::string& name, int& bus);

// Whether bus `bus` may carry a display, by what sysfs says of the adapter; true when sysfs
// says nothing.
bool IsDisplayAdapter(I2cDevOps& ops, int bus);

class I2cDevBusProvider : public I2cBusProvider {
  public:
    explicit I2cDevBusProvider(I2cDevOps& ops = SystemI2cDevOps(), BusLog log = {}) : ops_(ops), log_(std::move(log)) {}
    std::vector<int> ListBuses() override;
    std::unique_ptr<I2cTransport> OpenBus(int bus) override;

  private:
    I2cDevOps& ops_;
    BusLog log_;
};

}  // namespace brevlink
