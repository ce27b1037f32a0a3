// Which back end the library serves, from its own configuration: the environment first
// (BREVLINK_BACKEND, BREVLINK_LAB_PROFILE), then brevlink.conf in the driver directory given by
// WrLibPath2, else the built-in compliant lab monitor. Pure: the caller supplies the variables
// and a file reader, so every order of precedence is tested without touching the process.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace brevlink {

constexpr char kBackendVariable[] = "BREVLINK_BACKEND";
constexpr char kLabProfileVariable[] = "BREVLINK_LAB_PROFILE";
constexpr char kConfigFileName[] = "brevlink.conf";

enum class BackendKind {
    kBuiltinLab,
    kLabProfile,
    kI2cDev,
    kMonitorConfig,  // Windows's Monitor Configuration API
    kNone,           // the configuration is wrong: serve no monitor and say why
};

struct BackendChoice {
    BackendKind kind = BackendKind::kBuiltinLab;
    std::string profilePath;  // kLabProfile
    std::string origin;       // where the choice came from, for the diag log
    std::string error;        // kNone
};

struct BackendInputs {
    std::optional<std::string> backendVariable;
    std::optional<std::string> profileVariable;
    std::string driverDirectory;  // empty until WrLibPath2
};

using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

BackendChoice SelectBackend(const BackendInputs& inputs, const FileReader& readFile);

// The driver directory and a file name, with one separator between them whatever the
// directory ends in.
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace brevlink
