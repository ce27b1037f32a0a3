#include "script_ext/host/prompts.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova::lmscript {
namespace {

struct Session {
    Session(const std::string& input, bool interactive, PresetAnswer preset = PresetAnswer::kAsk)
        : in(input), prompter(in, out, interactive, preset) {}
    std::istringstream in;
    std::ostringstream out;
    Prompter prompter;
};

TEST(Prompts, YesNoAnswers) {
    struct Case {
        const char* input;
        bool interactive;
        PresetAnswer preset;
        int expected;
    };
    const Case cases[] = {
        {"y\n", false, PresetAnswer::kAsk, 1},       {"YES\n", false, PresetAnswer::kAsk, 1},
        {"n\n", false, PresetAnswer::kAsk, 0},       {"maybe\ny\n", false, PresetAnswer::kAsk, 0},
        {"maybe\ny\n", true, PresetAnswer::kAsk, 1}, {"", false, PresetAnswer::kAsk, 0},
        {"", true, PresetAnswer::kAsk, 0},           {"n\n", false, PresetAnswer::kYes, 1},
        {"y\n", true, PresetAnswer::kNo, 0},
    };
    for (const Case& c : cases) {
        Session s(c.input, c.interactive, c.preset);
        EXPECT_EQ(s.prompter.YesNo("Check", "Did the screen change?"), c.expected) << c.input;
        EXPECT_EQ(s.out.str().rfind("[Check] Did the screen change? (y/n)", 0), 0u) << s.out.str();
    }
}

TEST(Prompts, NumbersInDecimalAndHex) {
    struct Case {
        const char* input;
        bool hex;
        bool interactive;
        int expected;
    };
    const Case cases[] = {
        {"42\n", false, false, 42},        {"-2147483648\n", false, false, -2147483647 - 1},
        {"2147483648\n", false, false, 0}, {"4x\n", false, false, 0},
        {"4x\n17\n", false, true, 17},     {"", false, false, 0},
        {"ff\n", true, false, 255},        {"0x1F\n", true, false, 31},
        {"FFFFFFFF\n", true, false, -1},   {"xyz\n", true, false, 0},
    };
    for (const Case& c : cases) {
        Session s(c.input, c.interactive);
        const int answer = c.hex ? s.prompter.Hex("Value", "Enter") : s.prompter.Integer("Value", "Enter");
        EXPECT_EQ(answer, c.expected) << c.input;
    }
}

TEST(Prompts, MessagesAndCommands) {
    Session piped("", false);
    piped.prompter.Show("Note", "Look at the screen");
    EXPECT_EQ(piped.out.str(), "[Note] Look at the screen\n");

    Session interactive("\n", true);
    interactive.prompter.Show("Note", "Look");
    EXPECT_EQ(interactive.out.str(), "[Note] Look (Enter)");

    Session command("\n03 10 00 32\n", false);
    std::string text = "01 10";
    command.prompter.Command("Cmd", "Edit", text);
    EXPECT_EQ(text, "01 10");
    command.prompter.Command("Cmd", "Edit", text);
    EXPECT_EQ(text, "03 10 00 32");
}

}  // namespace
}  // namespace kestrova::lmscript
