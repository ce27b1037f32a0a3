#include "brevlink/exports/backend.h"
#include "brevlink/exports/bus_backend.h"
#include "brevlink/transport/i2c_dev_bus_provider.h"

namespace brevlink {

std::unique_ptr<Backend> MakeI2cDevBackend(std::string& /*error*/, const std::function<void(const std::string&)>& log) {
    return MakeBusBackend(std::make_unique<I2cDevBusProvider>(SystemI2cDevOps(), log));
}

}  // namespace brevlink
