#include "brevlink/caps/keyword.h"

#include <array>

#include "brevlink/caps/text_util.h"

namespace brevlink::caps {
namespace {

struct KeywordSpelling {
    std::string_view spelling;
    Keyword keyword;
};

// Longest first, so that a run-together name ends in the longest keyword it can.
constexpr std::array<KeywordSpelling, 12> kSpellings{{
    {"asset_eep", Keyword::kAssetEep},
    {"mccs_ver", Keyword::kMccsVer},
    {"vcpname", Keyword::kVcpName},
    {"mpu_ver", Keyword::kMpuVer},
    {"mswhql", Keyword::kMswhql},
    {"model", Keyword::kModel},
    {"prot", Keyword::kProt},
    {"type", Keyword::kType},
    {"cmds", Keyword::kCmds},
    {"edid", Keyword::kEdid},
    {"vcp", Keyword::kVcp},
    {"mpu", Keyword::kMpu},
}};

bool IsIgnoredInKeyword(char c) {
    return IsSpace(c) || c == '_' || c == '-';
}

// Compares after dropping the characters monitors add or leave out.
bool LooseEquals(std::string_view written, std::string_view spelling) {
    size_t j = 0;
    for (char c : written) {
        if (IsIgnoredInKeyword(c)) {
            continue;
        }
        while (j < spelling.size() && spelling[j] == '_') {
            ++j;
        }
        if (j == spelling.size() || ToLower(c) != spelling[j]) {
            return false;
        }
        ++j;
    }
    while (j < spelling.size() && spelling[j] == '_') {
        ++j;
    }
    return j == spelling.size();
}

// "vcp_p02", "VCP_P2", "vcpp0A": the page number is one or two hex digits.
bool MatchPage(std::string_view written, uint8_t& page) {
    std::string_view prefix = "vcpp";
    size_t j = 0;
    size_t i = 0;
    for (; i < written.size() && j < prefix.size(); ++i) {
        if (IsIgnoredInKeyword(written[i])) {
            continue;
        }
        if (ToLower(written[i]) != prefix[j]) {
            return false;
        }
        ++j;
    }
    std::string_view digits = written.substr(i);
    if (j != prefix.size() || digits.empty() || digits.size() > 2 || !IsAllHex(digits)) {
        return false;
    }
    SplitHexWord(digits, 2, [&page](unsigned value) { page = static_cast<uint8_t>(value); });
    return true;
}

bool MatchWindow(std::string_view written) {
    if (written.size() < 6 || !EqualsNoCase(written.substr(0, 6), "window")) {
        return false;
    }
    for (char c : written.substr(6)) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

size_t LastSpace(std::string_view text) {
    for (size_t i = text.size(); i > 0; --i) {
        if (IsSpace(text[i - 1])) {
            return i - 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

KeywordMatch LookupKeyword(std::string_view written) {
    KeywordMatch match;
    if (written.empty() || IsIgnoredInKeyword(written.front())) {
        return match;
    }
    for (const KeywordSpelling& entry : kSpellings) {
        if (LooseEquals(written, entry.spelling)) {
            match.keyword = entry.keyword;
            return match;
        }
    }
    if (MatchPage(written, match.page)) {
        match.keyword = Keyword::kVcpPage;
    } else if (MatchWindow(written)) {
        match.keyword = Keyword::kWindow;
    }
    return match;
}

std::string_view CanonicalSpelling(Keyword keyword) {
    for (const KeywordSpelling& entry : kSpellings) {
        if (entry.keyword == keyword) {
            return entry.spelling;
        }
    }
    return {};
}

bool IsFlatText(Keyword keyword) {
    switch (keyword) {
        case Keyword::kProt:
        case Keyword::kType:
        case Keyword::kModel:
        case Keyword::kMccsVer:
        case Keyword::kMswhql:
        case Keyword::kMpu:
        case Keyword::kMpuVer:
        case Keyword::kAssetEep:
            return true;
        default:
            return false;
    }
}

NameParts SplitName(std::string_view name) {
    NameParts parts;
    std::string_view text = Trim(name);
    parts.written = text;
    if (text.empty()) {
        return parts;
    }
    size_t space = LastSpace(text);
    if (space != std::string_view::npos && EqualsNoCase(text.substr(space + 1), "bin")) {
        parts.binary = true;
        text = Trim(text.substr(0, space));
        parts.written = text;
        space = LastSpace(text);
    }
    // The whole name first: "ms whql" is one keyword, not bare text "ms" before "whql".
    parts.match = LookupKeyword(text);
    if (parts.match.keyword != Keyword::kUnknown) {
        return parts;
    }
    std::string_view lastWord = space == std::string_view::npos ? text : text.substr(space + 1);
    if (space != std::string_view::npos) {
        KeywordMatch match = LookupKeyword(lastWord);
        if (match.keyword != Keyword::kUnknown) {
            parts.match = match;
            parts.bare = Trim(text.substr(0, space));
            parts.written = lastWord;
            return parts;
        }
    }
    // A keyword run into the text before it, e.g. a model name without "model(": "SAMSUNGcmds".
    for (const KeywordSpelling& entry : kSpellings) {
        size_t size = entry.spelling.size();
        if (lastWord.size() > size && EqualsNoCase(lastWord.substr(lastWord.size() - size), entry.spelling)) {
            size_t keywordStart = text.size() - size;
            parts.match.keyword = entry.keyword;
            parts.bare = Trim(text.substr(0, keywordStart));
            parts.written = text.substr(keywordStart);
            return parts;
        }
    }
    return parts;
}

}  // namespace brevlink::caps
