#include "brevlink/edid/text_builder.h"

namespace brevlink::edid {

TextBuilder::TextBuilder(char* buffer, size_t capacity) : buffer_(buffer), capacity_(buffer ? capacity : 0) {
    if (capacity_ > 0) {
        buffer_[0] = '\0';
    }
}

void TextBuilder::Append(std::string_view text) {
    for (char c : text) {
        if (length_ + 1 >= capacity_) {
            return;
        }
        buffer_[length_++] = c;
        buffer_[length_] = '\0';
    }
}

void TextBuilder::AppendUnsigned(uint64_t value) {
    char digits[20];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        Append(std::string_view(&digits[--count], 1));
    }
}

void TextBuilder::AppendHex(uint32_t value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        Append(std::string_view(&kHex[(value >> shift) & 0xF], 1));
    }
}

void TextBuilder::AppendFixed(uint64_t numerator, uint64_t denominator, int decimals, Rounding rounding) {
    if (denominator == 0) {
        return;
    }
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    // Callers pass EDID-sized values, far below the 64-bit limit after scaling.
    uint64_t scaled = numerator * scale;
    uint64_t quotient = scaled / denominator;
    uint64_t twiceRemainder = (scaled % denominator) * 2;
    bool up = twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1) != 0);
    if (rounding == Rounding::kHalfEven && up) {
        ++quotient;
    }
    AppendUnsigned(quotient / scale);
    if (decimals > 0) {
        Append(".");
        uint64_t fraction = quotient % scale;
        for (uint64_t digit = scale / 10; digit > 0; digit /= 10) {
            Append(std::string_view(&"0123456789"[fraction / digit % 10], 1));
        }
    }
}

}  // namespace brevlink::edid
