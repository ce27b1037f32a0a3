// Any brevlink.conf, with any variables beside it: one back end, or kNone with a message that
// names where the wrong setting is (the variable, or the file and its line).
//
// Input: one byte saying which of the two variables are set and whether the file exists, the
// backend variable, the profile variable and the driver directory (each ended by a NUL), then the
// file's text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "brevlink/exports/backend_config.h"
#include "fuzz/common/fuzz_support.h"

namespace {

using namespace brevlink;
using kestrova::fuzz::Check;

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t\n\v\f\r") == std::string::npos;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// "<path>:<line>: ..." names a line of the file that is neither blank, a comment nor a setting.
void CheckLineError(const BackendChoice& choice, const std::string& path, const std::string& text) {
    const std::string rest = choice.error.substr(path.size());
    if (rest.rfind(": unknown back end", 0) == 0) {
        return;
    }
    Check(rest.size() > 1 && rest[0] == ':');
    const size_t colon = rest.find(':', 1);
    Check(colon != std::string::npos && colon > 1);
    const std::string digits = rest.substr(1, colon - 1);
    Check(digits.find_first_not_of("0123456789") == std::string::npos && digits.size() < 9);
    const size_t number = std::stoul(digits);
    const std::vector<std::string> lines = Lines(text);
    Check(number >= 1 && number <= lines.size());
    const std::string& line = lines[number - 1];
    const size_t first = line.find_first_not_of(" \t\n\v\f\r");
    Check(first != std::string::npos && line[first] != '#');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrova::fuzz::ByteReader input(data, size);
    const uint8_t flags = input.Byte();
    BackendInputs inputs;
    const std::string backend = input.Field('\0');
    const std::string profile = input.Field('\0');
    if ((flags & 1) != 0) {
        inputs.backendVariable = backend;
    }
    if ((flags & 2) != 0) {
        inputs.profileVariable = profile;
    }
    inputs.driverDirectory = input.Field('\0');
    const bool fileExists = (flags & 4) != 0;
    const std::string text(input.Rest());

    std::vector<std::string> asked;
    const BackendChoice choice = SelectBackend(inputs, [&](const std::string& path) -> std::optional<std::string> {
        asked.push_back(path);
        return fileExists ? std::optional<std::string>(text) : std::nullopt;
    });

    Check((choice.kind == BackendKind::kNone) == !choice.error.empty());
    Check(!choice.origin.empty());
    Check(choice.kind != BackendKind::kLabProfile || !choice.profilePath.empty());
    Check(choice.kind == BackendKind::kLabProfile || choice.profilePath.empty());
    Check(asked.size() <= 1);

    // The first setting found wins, and says so.
    if (inputs.backendVariable && !Blank(*inputs.backendVariable)) {
        Check(choice.origin == kBackendVariable && asked.empty());
        Check(choice.kind != BackendKind::kNone || StartsWith(choice.error, kBackendVariable));
    } else if (inputs.profileVariable && !Blank(*inputs.profileVariable)) {
        Check(choice.origin == kLabProfileVariable && asked.empty() && choice.kind == BackendKind::kLabProfile);
    } else if (!inputs.driverDirectory.empty()) {
        const std::string path = JoinPath(inputs.driverDirectory, kConfigFileName);
        Check(asked.size() == 1 && asked[0] == path);
        if (fileExists) {
            Check(choice.origin == path);
            if (choice.kind == BackendKind::kNone) {
                Check(StartsWith(choice.error, path));
                CheckLineError(choice, path, text);
            }
        } else {
            Check(choice.kind == BackendKind::kBuiltinLab);
        }
    } else {
        Check(asked.empty() && choice.kind == BackendKind::kBuiltinLab);
    }
    return 0;
}
