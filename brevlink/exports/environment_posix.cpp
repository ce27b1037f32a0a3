#include <dlfcn.h>

#include <cstdlib>

#include "brevlink/exports/environment.h"

namespace brevlink {

std::optional<std::string> ReadEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

LabClockHook FindLabClockHook() {
    return reinterpret_cast<LabClockHook>(dlsym(RTLD_DEFAULT, "brevlink_lab_i2c_advance_ms"));
}

}  // namespace brevlink
