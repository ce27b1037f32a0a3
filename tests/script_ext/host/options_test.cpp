#include "script_ext/host/options.h"

#include <gtest/gtest.h>

namespace kestrova::lmscript {
namespace {

TEST(Options, CommandLines) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        const char* library;
        int monitor;
        PresetAnswer answer;
        const char* script;
        size_t scriptArgs;
    };
    const Case cases[] = {
        {{"a.py"}, true, "", 0, PresetAnswer::kAsk, "a.py", 0},
        {{"--library", "/x/libbrevlink.so", "--monitor", "2", "--yes", "a.py", "--no", "b"},
         true,
         "/x/libbrevlink.so",
         2,
         PresetAnswer::kYes,
         "a.py",
         2},
        {{"--no", "--no", "a.py"}, true, "", 0, PresetAnswer::kNo, "a.py", 0},
        {{"--yes", "--no", "a.py"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{"--monitor", "0", "a.py"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{"--monitor", "17", "a.py"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{"--monitor", "0x2", "a.py"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{"--monitor"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{"--frobnicate", "a.py"}, false, "", 0, PresetAnswer::kAsk, "", 0},
        {{}, false, "", 0, PresetAnswer::kAsk, "", 0},
    };
    for (const Case& c : cases) {
        Options options;
        std::string error;
        const bool ok = ParseOptions(c.args, options, error);
        ASSERT_EQ(ok, c.ok) << (c.args.empty() ? "(none)" : c.args[0]) << " " << error;
        if (ok) {
            EXPECT_EQ(options.libraryPath, c.library);
            EXPECT_EQ(options.monitor, c.monitor);
            EXPECT_EQ(options.answer, c.answer);
            EXPECT_EQ(options.scriptPath, c.script);
            EXPECT_EQ(options.scriptArgs.size(), c.scriptArgs);
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
    Options help;
    std::string error;
    EXPECT_TRUE(ParseOptions({"--help"}, help, error));
    EXPECT_TRUE(help.help);
}

}  // namespace
}  // namespace kestrova::lmscript
