#include "platform/settings_text.h"

#include <cstring>
#include <limits>

namespace kestrova::platform {

SettingsResult CopySettingsText(std::string_view text, char* buffer, uint32_t* size) {
    if (size == nullptr) {
        return SettingsResult::kNoValue;
    }
    text = text.substr(0, text.find('\0'));
    // A value beyond 4 GiB cannot be described by a 32-bit size; no buffer could hold it anyway.
    if (text.size() >= std::numeric_limits<uint32_t>::max()) {
        *size = std::numeric_limits<uint32_t>::max();
        return SettingsResult::kMoreData;
    }
    const auto needed = static_cast<uint32_t>(text.size() + 1);
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return SettingsResult::kMoreData;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    *size = needed;
    return SettingsResult::kOk;
}

}  // namespace kestrova::platform
