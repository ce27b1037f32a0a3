// Handing texts and bytes to the caller's buffers: sizes are 32-bit in/out (in: capacity,
// out: length), texts always NUL-terminated and cut to the capacity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brevlink {

// Nonzero when the text went out (cut or not); 0 for a null pointer or a capacity of 0, with
// *size set to 0 where it can be.
int32_t PutText(std::string_view text, char* out, uint32_t* size);

// Copies at most *size bytes; *size becomes the number copied. 0 for a null pointer.
int32_t PutBytes(const uint8_t* data, size_t count, uint8_t* out, uint32_t* size);

// Empties a caller's text before an answer that has none, so stale bytes never look like one.
void ClearText(char* out, uint32_t* size);

}  // namespace brevlink
