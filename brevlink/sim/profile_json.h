// Lab profiles from JSON (the format is described in lab/README.md). Never throws: a bad
// profile gives no profile and messages naming the file, the place and what was wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brevlink/sim/profile.h"

namespace brevlink::sim {

struct ProfileResult {
    std::optional<LabProfile> profile;
    std::vector<std::string> errors;  // each "<source>: <place>: <problem>"
};

// `source` names the text in messages; `baseDirectory` resolves relative "edidFile" paths.
ProfileResult ParseProfile(std::string_view text, const std::string& source, const std::string& baseDirectory);
ProfileResult LoadProfileFile(const std::string& path);

// The compliant MCCS 2.2 monitor the library serves when nothing else is configured (built
// from lab/compliant.json).
std::string_view BuiltinProfileText();
LabProfile BuiltinProfile();

}  // namespace brevlink::sim
