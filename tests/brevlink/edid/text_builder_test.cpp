#include "brevlink/edid/text_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace brevlink::edid {
namespace {

TEST(TextBuilder, CutsAtCapacityAndAlwaysEndsInNul) {
    struct Case {
        size_t capacity;
        std::string expected;
    };
    const Case cases[] = {{1, ""}, {2, "a"}, {6, "abcde"}, {7, "abcdef"}, {8, "abcdef"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        char buffer[10];
        std::memset(buffer, '#', sizeof(buffer));
        TextBuilder out(buffer, c.capacity);
        out.Append("abc");
        out.Append("def");
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(out.Length(), c.expected.size());
        EXPECT_EQ(buffer[c.capacity], '#');  // nothing written past the capacity
    }
}

TEST(TextBuilder, ZeroCapacityWritesNothing) {
    char byte = '#';
    TextBuilder out(&byte, 0);
    out.Append("abc");
    out.AppendUnsigned(12);
    EXPECT_EQ(byte, '#');
    EXPECT_EQ(out.Length(), 0u);
    TextBuilder none(nullptr, 5);
    none.Append("abc");
    EXPECT_EQ(none.Length(), 0u);
}

TEST(TextBuilder, Numbers) {
    char buffer[64];
    TextBuilder out(buffer, sizeof(buffer));
    out.AppendUnsigned(0);
    out.Append(" ");
    out.AppendUnsigned(18446744073709551615u);
    out.Append(" ");
    out.AppendHex(0xD0DA, 4);
    out.Append(" ");
    out.AppendHex(0x7, 4);
    out.Append(" ");
    out.AppendHex(0xABCDE, 4);  // only the digits asked for
    EXPECT_STREQ(buffer, "0 18446744073709551615 D0DA 0007 BCDE");
}

TEST(TextBuilder, FixedRoundsHalfToEvenOrDown) {
    constexpr Rounding kEven = Rounding::kHalfEven;
    constexpr Rounding kDown = Rounding::kDown;
    struct Case {
        uint64_t numerator, denominator;
        int decimals;
        Rounding rounding;
        const char* expected;
    };
    const Case cases[] = {
        {668, 1024, 4, kEven, "0.6523"},  // 0.65234375
        {329, 1024, 4, kEven, "0.3213"},  // 0.32128906
        {329, 1024, 4, kDown, "0.3212"},
        {32, 1024, 4, kEven, "0.0312"},  // 0.03125: a tie goes to the even digit...
        {96, 1024, 4, kEven, "0.0938"},  // ...up or down
        {96, 1024, 4, kDown, "0.0937"},
        {1023, 1024, 4, kEven, "0.9990"},
        {1023, 1024, 4, kDown, "0.9990"},
        {1024, 1024, 4, kDown, "1.0000"},
        {0, 1024, 4, kDown, "0.0000"},
        {100, 160, 2, kEven, "0.62"},  // 0.625
        {100, 115, 2, kEven, "0.87"},
        {100, 115, 2, kDown, "0.86"},
        {220, 100, 2, kEven, "2.20"},
        {7, 2, 0, kEven, "4"},
        {5, 2, 0, kEven, "2"},
        {1, 0, 2, kEven, ""},  // no denominator: nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        char buffer[32];
        TextBuilder out(buffer, sizeof(buffer));
        out.AppendFixed(c.numerator, c.denominator, c.decimals, c.rounding);
        EXPECT_STREQ(buffer, c.expected);
    }
}

}  // namespace
}  // namespace brevlink::edid
