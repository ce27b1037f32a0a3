// Appends into a caller's fixed buffer: whatever does not fit is cut, the buffer always ends in NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brevlink::edid {

enum class Rounding : uint8_t {
    kHalfEven,  // printf("%.Nf") on an exact binary fraction
    kDown,      // cut after the last digit, as chromaticities are commonly printed
};

class TextBuilder {
  public:
    // `capacity` includes the NUL; 0 writes nothing at all.
    TextBuilder(char* buffer, size_t capacity);

    void Append(std::string_view text);
    void AppendUnsigned(uint64_t value);
    // Upper-case hex, zero-padded to `digits`.
    void AppendHex(uint32_t value, int digits);
    // numerator / denominator with `decimals` places, rounded on the exact value, so every
    // platform prints the same digits.
    void AppendFixed(uint64_t numerator, uint64_t denominator, int decimals, Rounding rounding);

    size_t Length() const { return length_; }

  private:
    char* buffer_;
    size_t capacity_;
    size_t length_ = 0;
};

}  // namespace brevlink::edid
