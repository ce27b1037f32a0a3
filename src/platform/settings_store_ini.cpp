// The INI-style settings store. The file is read at each query: it is small, read rarely, and a
// changed file is seen at once, as a changed registry value is.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

#include "platform/settings_store.h"
#include "platform/settings_text.h"

namespace kestrova::platform {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string_view Trim(std::string_view text) {
    const auto isSpace = [](unsigned char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    return text;
}

// True when `section` is `keyPath` or a key below it: a registry key with subkeys opens too.
bool SectionIsKeyOrBelow(std::string_view section, std::string_view keyPath) {
    if (keyPath.empty()) {
        return true;  // the root key itself
    }
    if (section.size() < keyPath.size() || !EqualIgnoringCase(section.substr(0, keyPath.size()), keyPath)) {
        return false;
    }
    return section.size() == keyPath.size() || section[keyPath.size()] == '\\';
}

struct Lookup {
    bool keyFound = false;
    std::optional<std::string_view> value;
};

// One pass over the lines. Sections are "[key path]"; entries "name=value" with the raw text after
// '=' as the value (spaces are part of a registry string). Comments start with ';' or '#'; lines
// that are none of these, and entries before the first section, are ignored. The first entry of a
// name wins when a key lists it twice (or its section appears twice).
Lookup Find(std::string_view text, std::string_view keyPath, std::string_view valueName) {
    Lookup lookup;
    std::optional<std::string_view> section;
    while (!text.empty() && !lookup.value) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
            continue;
        }
        if (trimmed.front() == '[') {
            const size_t close = trimmed.rfind(']');
            if (close != std::string_view::npos) {
                section = Trim(trimmed.substr(1, close - 1));
                lookup.keyFound = lookup.keyFound || SectionIsKeyOrBelow(*section, keyPath);
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (section && equals != std::string_view::npos && EqualIgnoringCase(*section, keyPath) &&
            EqualIgnoringCase(Trim(line.substr(0, equals)), valueName)) {
            lookup.value = line.substr(equals + 1);
        }
    }
    return lookup;
}

}  // namespace

bool IniSettingsStore::OpenKey(const std::string& keyPath) {
    const std::optional<std::string> text = ReadWholeFile(path_);
    return text && Find(*text, keyPath, {}).keyFound;
}

SettingsResult IniSettingsStore::QueryString(const std::string& keyPath,
                                             const std::string& valueName,
                                             char* buffer,
                                             uint32_t* size) {
    const std::optional<std::string> text = ReadWholeFile(path_);
    if (!text) {
        return SettingsResult::kNoKey;
    }
    const Lookup lookup = Find(*text, keyPath, valueName);
    if (lookup.value) {
        return CopySettingsText(*lookup.value, buffer, size);
    }
    return lookup.keyFound ? SettingsResult::kNoValue : SettingsResult::kNoKey;
}

// XDG_CONFIG_HOME counts only when it is an absolute path; else ~/.config. Without HOME there is
// no file, and every key is absent.
std::string DefaultIniSettingsPath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (configHome != nullptr && configHome[0] == '/') {
        folder = configHome;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            return {};
        }
        folder = std::string(home) + "/.config";
    }
    return folder + "/kestrova/registry.ini";
}

}  // namespace kestrova::platform
