// Any bytes must decode without reading out of bounds, and every text must end in NUL inside its
// capacity, also for callers with smaller buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "brevlink/edid/edid.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brevlink::edid::EdidInfo info;
    bool decoded = brevlink::edid::Decode({data, size}, info);
    Check(decoded == (info.header != brevlink::edid::HeaderState::kMissing));
    Check(!decoded || info.blockCount >= 1);
    Check(info.blockCount * brevlink::edid::kBlockSize <= size + brevlink::edid::kBlockSize);
    for (uint32_t code : brevlink::edid::kCodes) {
        size_t capacity = brevlink::edid::TextCapacity(code);
        char text[128];
        std::memset(text, 0x55, sizeof(text));
        size_t length = brevlink::edid::Text(info, code, text, sizeof(text));
        Check(length < capacity && text[length] == '\0' && std::strlen(text) == length);
        for (size_t i = 0; i < length; ++i) {
            Check(text[i] >= 0x20 && text[i] <= 0x7E);
        }
        char small[3];
        size_t smallLength = brevlink::edid::Text(info, code, small, sizeof(small));
        Check(smallLength < sizeof(small) && std::memcmp(small, text, smallLength) == 0);
    }
    return 0;
}
