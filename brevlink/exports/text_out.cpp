#include "brevlink/exports/text_out.h"

#include <algorithm>
#include <cstring>

namespace brevlink {

int32_t PutText(std::string_view text, char* out, uint32_t* size) {
    if (size == nullptr) {
        return 0;
    }
    if (out == nullptr || *size == 0) {
        *size = 0;
        return 0;
    }
    const size_t length = std::min<size_t>(text.size(), *size - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    *size = static_cast<uint32_t>(length);
    return 1;
}

int32_t PutBytes(const uint8_t* data, size_t count, uint8_t* out, uint32_t* size) {
    if (size == nullptr) {
        return 0;
    }
    if (out == nullptr) {
        *size = 0;
        return 0;
    }
    const size_t copied = std::min<size_t>(count, *size);
    if (copied > 0) {
        std::memcpy(out, data, copied);
    }
    *size = static_cast<uint32_t>(copied);
    return 1;
}

void ClearText(char* out, uint32_t* size) {
    if (out != nullptr && size != nullptr && *size > 0) {
        out[0] = '\0';
    }
    if (size != nullptr) {
        *size = 0;
    }
}

}  // namespace brevlink
