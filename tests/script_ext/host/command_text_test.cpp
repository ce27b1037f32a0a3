#include "script_ext/host/command_text.h"

#include <gtest/gtest.h>

namespace kestrova::lmscript {
namespace {

TEST(CommandText, VcpCodesAreOneOrTwoHexDigits) {
    struct Case {
        const char* text;
        int expected;  // -1: refused
    };
    const Case cases[] = {
        {"10", 0x10}, {"0x10", 0x10}, {"10h", 0x10}, {" E2 ", 0xE2}, {"e2", 0xE2}, {"F", 0x0F}, {"0xff", 0xFF},
        {"", -1},     {"0x", -1},     {"h", -1},     {"100", -1},    {"1G", -1},   {"-1", -1},  {"1 0", -1},
    };
    for (const Case& c : cases) {
        const auto code = ParseVcpCode(c.text);
        EXPECT_EQ(code ? static_cast<int>(*code) : -1, c.expected) << '"' << c.text << '"';
    }
}

TEST(CommandText, NumbersAreDecimalUnlessMarkedHex) {
    struct Case {
        const char* text;
        uint32_t maximum;
        int64_t expected;  // -1: refused
    };
    const Case cases[] = {
        {"50", 0xFFFF, 50},
        {"0x32", 0xFFFF, 0x32},
        {"32h", 0xFFFF, 0x32},
        {"65535", 0xFFFF, 65535},
        {"65536", 0xFFFF, -1},
        {"0x10000", 0xFFFF, -1},
        {"", 0xFFFF, -1},
        {"-5", 0xFFFF, -1},
        {"12a", 0xFFFF, -1},
        {"4294967295", 0xFFFFFFFF, 4294967295},
        {"99999999999999999999", 0xFFFFFFFF, -1},
    };
    for (const Case& c : cases) {
        const auto number = ParseNumber(c.text, c.maximum);
        EXPECT_EQ(number ? static_cast<int64_t>(*number) : -1, c.expected) << '"' << c.text << '"';
    }
}

TEST(CommandText, ByteListsAreHexPairsSeparatedByBlanksOrCommas) {
    using Bytes = std::vector<uint8_t>;
    struct Case {
        const char* text;
        std::optional<Bytes> expected;
    };
    const Case cases[] = {
        {"03 10 00 32", Bytes{0x03, 0x10, 0x00, 0x32}},
        {"0x01,0x10", Bytes{0x01, 0x10}},
        {"  a  ,, F\t", Bytes{0x0A, 0x0F}},
        {"", Bytes{}},
        {"100", std::nullopt},
        {"01 zz", std::nullopt},
        {"0x", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHexBytes(c.text), c.expected) << '"' << c.text << '"';
    }
    std::string longest;
    for (size_t i = 0; i < kMaxCommandBytes; ++i) {
        longest += "00 ";
    }
    EXPECT_EQ(ParseHexBytes(longest)->size(), kMaxCommandBytes);
    EXPECT_FALSE(ParseHexBytes(longest + "00"));
}

TEST(CommandText, BytesFormatAsUpperCasePairs) {
    EXPECT_EQ(FormatHexBytes({0x02, 0x00, 0xAB}), "02 00 AB");
    EXPECT_EQ(FormatHexBytes({}), "");
}

}  // namespace
}  // namespace kestrova::lmscript
