#include <windows.h>

#include <vector>

#include "brevlink/exports/environment.h"

namespace brevlink {

std::optional<std::string> ReadEnvironment(const char* name) {
    const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::vector<char> buffer(needed);
    const DWORD length = GetEnvironmentVariableA(name, buffer.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    return std::string(buffer.data(), length);
}

LabClockHook FindLabClockHook() {
    return nullptr;  // the lab is served on /dev/i2c-N only on Linux
}

}  // namespace brevlink
