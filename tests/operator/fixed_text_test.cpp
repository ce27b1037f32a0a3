#include "operator/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova::op {
namespace {

TEST(FixedTextTest, AssignCutsToCapacityLessOne) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""}, {"abcd", "abcd"}, {"abcde", "abcd"}, {"abcdefghij", "abcd"}, {std::string("ab\0cd", 5), "ab"},
    };
    for (const Case& c : cases) {
        FixedText<5> text;
        text = c.input;
        EXPECT_EQ(text.View(), c.expected) << "input '" << c.input << "'";
        EXPECT_EQ(text.Size(), c.expected.size());
        EXPECT_EQ(text.Data()[4], '\0');
    }
}

TEST(FixedTextTest, ShorterAssignmentZeroesTheOldTail) {
    FixedText<8> text("1234567");
    text = "ab";
    for (size_t i = 2; i < 8; ++i) {
        EXPECT_EQ(text.Data()[i], '\0') << "byte " << i;
    }
}

TEST(FixedTextTest, AppendAndFormatStopAtCapacity) {
    FixedText<6> text("abc");
    text.Append("defgh");
    EXPECT_EQ(text.View(), "abcde");
    text.Append("x");
    EXPECT_EQ(text.View(), "abcde");

    FixedText<16> formatted;
    formatted.Format("0x%.2x Reserved", 0x7e);
    EXPECT_EQ(formatted.View(), "0x7e Reserved");
    formatted.Format("%s", "a text well over sixteen characters");
    EXPECT_EQ(formatted.Size(), 15u);
}

TEST(FixedTextTest, UnterminatedRawWriteNeverReadsPastTheBuffer) {
    FixedText<4> text;
    for (int i = 0; i < 4; ++i) {
        text.Data()[i] = 'x';
    }
    EXPECT_EQ(text.Size(), 4u);
    text.Terminate();
    EXPECT_EQ(text.View(), "xxx");
}

TEST(FixedTextTest, NullAssignmentEmpties) {
    FixedText<4> text("ab");
    text = static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.Empty());
}

}  // namespace
}  // namespace kestrova::op
