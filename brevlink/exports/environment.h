// The process environment, read the way each OS keeps it (on Windows the process block, not
// a C runtime's copy, so a caller's SetEnvironmentVariable is seen).
#pragma once

#include <optional>
#include <string>

namespace brevlink {

std::optional<std::string> ReadEnvironment(const char* name);

}  // namespace brevlink
