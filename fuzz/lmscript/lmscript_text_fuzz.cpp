// Any text a script hands lmscript as a VCP code, a number or a byte list: a value within its
// bounds that reads back the same once written out, or no value.
//
// Input: four bytes giving the number's maximum, then the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/common/fuzz_support.h"
#include "script_ext/host/command_text.h"

namespace {

using namespace kestrova::lmscript;
using kestrova::fuzz::Check;

void CheckCode(std::string_view text) {
    const std::optional<uint8_t> code = ParseVcpCode(text);
    if (!code) {
        return;
    }
    const std::string hex = FormatHexBytes(&*code, 1);
    Check(ParseVcpCode(hex) == code && ParseVcpCode("0x" + hex) == code && ParseVcpCode(hex + "h") == code);
    // A code is also a byte list of one.
    const auto bytes = ParseHexBytes(hex);
    Check(bytes && bytes->size() == 1 && (*bytes)[0] == *code);
}

void CheckNumber(std::string_view text, uint32_t maximum) {
    const std::optional<uint32_t> number = ParseNumber(text, maximum);
    if (!number) {
        return;
    }
    Check(*number <= maximum);
    Check(ParseNumber(std::to_string(*number), maximum) == number);
    Check(ParseNumber(std::to_string(*number), maximum) == ParseNumber(std::to_string(*number), *number));
    if (*number > 0) {
        Check(!ParseNumber(std::to_string(*number), *number - 1));
    }
}

void CheckBytes(std::string_view text) {
    const auto bytes = ParseHexBytes(text);
    if (!bytes) {
        return;
    }
    Check(bytes->size() <= kMaxCommandBytes);
    Check(bytes->size() <= text.size() / 2 + 1);
    const std::string written = FormatHexBytes(*bytes);
    Check(written.size() == (bytes->empty() ? 0 : bytes->size() * 3 - 1));
    Check(ParseHexBytes(written) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrova::fuzz::ByteReader input(data, size);
    uint32_t maximum = 0;
    for (int i = 0; i < 4; ++i) {
        maximum = (maximum << 8) | input.Byte();
    }
    const std::string_view text = input.Rest();
    CheckCode(text);
    CheckNumber(text, maximum);
    CheckBytes(text);
    return 0;
}
