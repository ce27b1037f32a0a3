#include "brevlink/exports/backend.h"

namespace brevlink {

std::unique_ptr<Backend> MakeI2cDevBackend(std::string& error, const std::function<void(const std::string&)>& /*log*/) {
    error = "the i2c-dev back end exists on Linux only";
    return nullptr;
}

}  // namespace brevlink
