#include "script_ext/stdio_redirect.h"

#include <gtest/gtest.h>

namespace {

TEST(StdIoRedirect, RingKeepsTheLast100WritesOfEveryRedirect) {
    PythonStdIoRedirect::TakeOutput();
    PythonStdIoRedirect out;
    PythonStdIoRedirect err;
    std::string expected;
    for (int i = 0; i < 130; ++i) {
        const std::string text = i % 3 == 0 ? std::string(1000, 'x') : std::to_string(i) + ",";
        (i % 2 == 0 ? out : err).Write(text);
        if (i >= 30) {
            expected += text;
        }
    }
    EXPECT_EQ(PythonStdIoRedirect::TakeOutput(), expected);
    EXPECT_EQ(PythonStdIoRedirect::TakeOutput(), "");
}

TEST(StdIoRedirect, LogFormEndsEveryLineWithCrLf) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""},
        {"a\n", "a\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"tail without end", "tail without end\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\n", "a\r\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kestrova::script::WithCrLfLineEnds(c.text), c.expected) << c.text;
    }
}

}  // namespace
