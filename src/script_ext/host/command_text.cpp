#include "script_ext/host/command_text.h"

#include <cctype>

namespace kestrova::lmscript {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

int DigitValue(char c, int base) {
    const int value = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : std::isxdigit(static_cast<unsigned char>(c))
                          ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                          : 99;
    return value < base ? value : -1;
}

// Digits of `base` only, never more than `maximum`.
std::optional<uint32_t> Digits(std::string_view digits, int base, uint32_t maximum) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > maximum) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(value);
}

bool StripHexMarks(std::string_view& text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        return true;
    }
    if (text.size() > 1 && (text.back() == 'h' || text.back() == 'H')) {
        text.remove_suffix(1);
        return true;
    }
    return false;
}

}  // namespace

std::optional<uint8_t> ParseVcpCode(std::string_view text) {
    text = Trim(text);
    StripHexMarks(text);
    if (text.size() > 2) {
        return std::nullopt;
    }
    const std::optional<uint32_t> code = Digits(text, 16, 0xFF);
    return code ? std::optional<uint8_t>(static_cast<uint8_t>(*code)) : std::nullopt;
}

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum) {
    text = Trim(text);
    const bool hex = StripHexMarks(text);
    return Digits(text, hex ? 16 : 10, maximum);
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text) {
    std::vector<uint8_t> bytes;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(" \t\r\n,", start);
        std::string_view token =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (token.empty()) {
            continue;
        }
        if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
            token.remove_prefix(2);
        }
        const std::optional<uint32_t> byte = token.size() <= 2 ? Digits(token, 16, 0xFF) : std::nullopt;
        if (!byte || bytes.size() == kMaxCommandBytes) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(*byte));
    }
    return bytes;
}

std::string FormatHexBytes(const uint8_t* bytes, size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string FormatHexBytes(const std::vector<uint8_t>& bytes) {
    return FormatHexBytes(bytes.data(), bytes.size());
}

}  // namespace kestrova::lmscript
