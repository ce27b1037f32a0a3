#include "app/console/option_parser.h"

#include <gtest/gtest.h>

#include "app/console/run_options.h"

namespace kestrova::app::console {
namespace {

constexpr OptionSpec kSpecs[] = {{"report", true}, {"no-progress", false}};

struct ParseCase {
    std::vector<std::string> args;
    const char* error;  // "" when the words parse
    const char* report;
    bool noProgress;
    std::vector<std::string> positionals;
};

TEST(OptionParser, FlagsValuesAndMistakes) {
    const ParseCase cases[] = {
        {{"--report", "r.html"}, "", "r.html", false, {}},
        {{"--report=a=b.html", "--no-progress"}, "", "a=b.html", true, {}},
        {{"--report="}, "", "", false, {}},
        {{"new", "--", "--report"}, "", nullptr, false, {"new", "--report"}},
        {{"-"}, "", nullptr, false, {"-"}},
        {{"--report"}, "--report needs a value", nullptr, false, {}},
        {{"--no-progress=yes"}, "--no-progress takes no value", nullptr, false, {}},
        {{"--report", "a", "--report", "b"}, "--report is given twice", nullptr, false, {}},
        {{"--reprot", "a"}, "unknown option --reprot", nullptr, false, {}},
        {{"-r"}, "unknown option -r", nullptr, false, {}},
    };
    for (const ParseCase& c : cases) {
        ParsedOptions parsed;
        std::string error;
        const bool ok = ParseOptions(c.args, kSpecs, parsed, error);
        EXPECT_EQ(error, c.error) << c.args.front();
        EXPECT_EQ(ok, std::string(c.error).empty()) << c.args.front();
        if (!ok) {
            continue;
        }
        EXPECT_EQ(parsed.Value("report"), c.report == nullptr ? std::nullopt : std::optional<std::string>(c.report));
        EXPECT_EQ(parsed.Has("no-progress"), c.noProgress);
        EXPECT_EQ(parsed.positionals, c.positionals);
    }
}

TEST(OptionParser, HelpAnywhereIsNoted) {
    ParsedOptions parsed;
    std::string error;
    ASSERT_TRUE(ParseOptions(std::vector<std::string>{"--report", "x", "-h"}, kSpecs, parsed, error));
    EXPECT_TRUE(parsed.help);
}

struct RunOptionCase {
    std::vector<std::string> args;
    const char* error;
};

TEST(RunOptions, ContradictionsAndBadValuesAreRefused) {
    const RunOptionCase cases[] = {
        {{"--mode", "Automatic", "--answer", "NO", "--codes", "10,0xdf"}, ""},
        {{"--project", "p.vmdProj", "--groups", "a"}, "a project fixes the codes to test"},
        {{"--answers", "a.txt", "--answer", "yes"}, "give --answers or --answer, not both"},
        {{"--answer", "redo"}, "--answer takes yes or no, not \"redo\""},
        {{"--mode", "robust"}, "--mode takes automatic or manual, not \"robust\""},
        {{"--monitor", "17"}, "--monitor takes a number from 1 to 16, not \"17\""},
        {{"--monitor", "1x"}, "--monitor takes a number from 1 to 16, not \"1x\""},
        {{"--codes", "0x100"}, "--codes: \"0x100\" is no VCP code (hexadecimal 0x00 to 0xFF)"},
        {{"--codes", "0x00"}, "--codes: VCP code 0x00 stands in no group, so no run tests it"},
        {{"--groups", "v"}, "--groups: \"v\" is no group"},
        {{"stray"}, "unexpected argument \"stray\""},
        {{"--junit="}, "--junit needs a file"},
    };
    for (const RunOptionCase& c : cases) {
        ParsedOptions parsed;
        std::string error;
        ASSERT_TRUE(ParseOptions(c.args, RunOptionSpecs(), parsed, error)) << error;
        RunOptions options;
        const bool ok = ReadRunOptions(parsed, options, error);
        EXPECT_EQ(ok, std::string(c.error).empty()) << c.args.front() << ": " << error;
        if (!ok) {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        }
    }
}

}  // namespace
}  // namespace kestrova::app::console
