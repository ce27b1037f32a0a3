#include "brevlink/exports/backend_config.h"

#include <cctype>
#include <sstream>

namespace brevlink {
namespace {

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool IsAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// "lab", "lab:<profile>", "i2c-dev" or "monitor-config"; `profile` is the separately given profile, if any.
BackendChoice FromSpec(const std::string& spec, const std::string& profile, const std::string& origin) {
    BackendChoice choice;
    choice.origin = origin;
    const std::string value = Trim(spec);
    if (value == "i2c-dev") {
        choice.kind = BackendKind::kI2cDev;
    } else if (value == "monitor-config") {
        choice.kind = BackendKind::kMonitorConfig;
    } else if (value == "lab" || value == "lab:") {
        choice.kind = profile.empty() ? BackendKind::kBuiltinLab : BackendKind::kLabProfile;
        choice.profilePath = profile;
    } else if (value.rfind("lab:", 0) == 0) {
        choice.kind = BackendKind::kLabProfile;
        choice.profilePath = Trim(value.substr(4));
    } else {
        choice.kind = BackendKind::kNone;
        choice.error = origin + ": unknown back end \"" + value +
                       "\" (expected lab, lab:<profile.json>, i2c-dev or monitor-config)";
    }
    return choice;
}

BackendChoice FromConfigFile(const std::string& path, const std::string& text, const std::string& directory) {
    const std::string origin = path;
    std::string backend;
    std::string profile;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        line = Trim(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? "" : Trim(line.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
        if (key == "backend") {
            backend = value;
        } else if (key == "profile") {
            profile = value;
        } else {
            BackendChoice bad;
            bad.kind = BackendKind::kNone;
            bad.origin = origin;
            bad.error = path + ":" + std::to_string(number) + ": expected \"backend = ...\" or \"profile = ...\"";
            return bad;
        }
    }
    BackendChoice choice = FromSpec(backend.empty() ? "lab" : backend, profile, origin);
    // A profile named in the file is found beside the file unless the path is absolute.
    if (choice.kind == BackendKind::kLabProfile && !IsAbsolute(choice.profilePath)) {
        choice.profilePath = JoinPath(directory, choice.profilePath);
    }
    return choice;
}

}  // namespace

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) {
        return name;
    }
    const char last = directory.back();
    return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

BackendChoice SelectBackend(const BackendInputs& inputs, const FileReader& readFile) {
    const std::string profileVariable = inputs.profileVariable ? Trim(*inputs.profileVariable) : "";
    if (inputs.backendVariable && !Trim(*inputs.backendVariable).empty()) {
        return FromSpec(*inputs.backendVariable, profileVariable, kBackendVariable);
    }
    if (!profileVariable.empty()) {
        return FromSpec("lab", profileVariable, kLabProfileVariable);
    }
    if (!inputs.driverDirectory.empty()) {
        const std::string path = JoinPath(inputs.driverDirectory, kConfigFileName);
        if (const std::optional<std::string> text = readFile(path)) {
            return FromConfigFile(path, *text, inputs.driverDirectory);
        }
    }
    BackendChoice builtin;
    builtin.kind = BackendKind::kBuiltinLab;
    builtin.origin = "built-in";
    return builtin;
}

}  // namespace brevlink
