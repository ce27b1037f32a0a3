// The buses of /dev/i2c-*, for the display enumeration.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "brevlink/transport/display_enumeration.h"
#include "brevlink/transport/i2c_dev_ops.h"

namespace brevlink {

// "i2c-12" gives 12; false for any other name.
bool ParseI2cDevName(const std::string& name, int& bus);

class I2cDevBusProvider : public I2cBusProvider {
  public:
    explicit I2cDevBusProvider(I2cDevOps& ops = SystemI2cDevOps()) : ops_(ops) {}
    std::vector<int> ListBuses() override;
    std::unique_ptr<I2cTransport> OpenBus(int bus) override;

  private:
    I2cDevOps& ops_;
};

}  // namespace brevlink
