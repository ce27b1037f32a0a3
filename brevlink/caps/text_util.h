// Character helpers of the capabilities parser. Locale-free on purpose: the input is bytes from a
// monitor, not text in the user's language.
#pragma once

#include <cstddef>
#include <string_view>

namespace brevlink::caps {

// NUL and other control bytes count as space: monitors pad their strings with them.
inline bool IsSpace(char c) {
    return c == ' ' || (static_cast<unsigned char>(c) < 0x20);
}

inline bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

inline int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c - 'A' + 10;
}

inline bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

inline char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool IsAllHex(std::string_view word) {
    for (char c : word) {
        if (!IsHexDigit(c)) {
            return false;
        }
    }
    return !word.empty();
}

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToLower(a[i]) != ToLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Calls emit(value) for each chunk of `width` digits of a hex word, from the left; a shorter last
// chunk stands alone ("0A7" with width 2 gives 0A, 7).
template <typename Emit>
void SplitHexWord(std::string_view word, size_t width, Emit&& emit) {
    for (size_t i = 0; i < word.size(); i += width) {
        unsigned value = 0;
        for (size_t j = i; j < word.size() && j < i + width; ++j) {
            value = value * 16 + static_cast<unsigned>(HexValue(word[j]));
        }
        emit(value);
    }
}

}  // namespace brevlink::caps
