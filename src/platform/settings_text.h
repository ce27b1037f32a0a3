// Internal to the settings stores: hands a value's text to a caller's buffer as the registry does.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/settings_store.h"

namespace kestrova::platform {

// Copies `text` (up to its first NUL) and a terminator into `buffer` of capacity *size bytes.
// kOk with *size = bytes copied including the NUL; kMoreData with *size = bytes needed and the
// buffer untouched. A null `size` answers kNoValue: there is no capacity to honour.
SettingsResult CopySettingsText(std::string_view text, char* buffer, uint32_t* size);

}  // namespace kestrova::platform
