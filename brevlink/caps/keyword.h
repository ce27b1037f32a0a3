// Recognises field keywords as monitors really write them: any case, with stray spaces or
// underscores ("ms whql"), or run into the bare text before them ("MStarcmds").
#pragma once

#include <cstdint>
#include <string_view>

#include "brevlink/caps/capabilities.h"

namespace brevlink::caps {

struct KeywordMatch {
    Keyword keyword = Keyword::kUnknown;
    uint8_t page = 0;  // for kVcpPage
};

// Matches one keyword ignoring case, spaces, underscores and hyphens; kUnknown when it is none.
KeywordMatch LookupKeyword(std::string_view written);

// The MCCS spelling of a keyword; empty for those without a single one (unknown, pages, windows).
std::string_view CanonicalSpelling(Keyword keyword);

// Keywords whose value is a short flat text; a "(" inside one means the string is broken there.
bool IsFlatText(Keyword keyword);

// The text in front of a "(": bare text, then the keyword, then "bin" for a binary payload.
// All views point into the text given.
struct NameParts {
    std::string_view bare;
    std::string_view written;  // the keyword as written, or the whole name when unrecognised
    KeywordMatch match;
    bool binary = false;
};
NameParts SplitName(std::string_view name);

}  // namespace brevlink::caps
