// The texts lmscript accepts from scripts: VCP codes and values, and byte lists in hexadecimal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::lmscript {

// Longest byte list a command may carry; longer lists are refused, not cut.
inline constexpr size_t kMaxCommandBytes = 1024;

// A VCP code: one or two hexadecimal digits, with an optional "0x" in front or "h" behind ("10",
// "0x10", "10h"). Surrounding blanks are ignored.
std::optional<uint8_t> ParseVcpCode(std::string_view text);

// A number: decimal ("50"), or hexadecimal with "0x" in front or "h" behind ("0x32", "32h"),
// at most `maximum`.
std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum);

// Bytes as hexadecimal pairs separated by blanks or commas ("03 10 00 32", "0x03,0x10"). An empty
// text is an empty list; more than kMaxCommandBytes bytes or any bad token is no list at all.
std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text);

// "02 00 10", upper case, one blank between bytes.
std::string FormatHexBytes(const uint8_t* bytes, size_t size);
std::string FormatHexBytes(const std::vector<uint8_t>& bytes);

}  // namespace kestrova::lmscript
