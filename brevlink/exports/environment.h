// The process environment, read the way each OS keeps it (on Windows the process block, not
// a C runtime's copy, so a caller's SetEnvironmentVariable is seen).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brevlink {

std::optional<std::string> ReadEnvironment(const char* name);

// The clock hook of the lab served on /dev/i2c-N (brevlink-lab-i2c) when this process runs under
// it, else null.
using LabClockHook = void (*)(uint32_t ms);
LabClockHook FindLabClockHook();

}  // namespace brevlink
