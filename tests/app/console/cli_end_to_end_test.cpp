// The kestrova program end to end, against the real Brevlink library and lab profiles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"

namespace kestrova::app::console::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr char kCompliantReport[] = "VCP Check BRV BREVLINK LAB.html";

// The one line every failure ends in: the last line, and the only one of ours.
std::string FailureLine(const CliResult& result) {
    std::string line;
    int ours = 0;
    for (const std::string& errLine : result.ErrLines()) {
        if (errLine.rfind("kestrova: ", 0) == 0) {
            ++ours;
            line = errLine;
        }
    }
    EXPECT_EQ(ours, 1) << result.err;
    return line;
}

TEST(CliEndToEnd, AutomaticRunOfTheBuiltInMonitorSavesTheReportAndAJunitFileThatAgreeWithTheStatus) {
    CliRunner cli("automatic");
    const CliResult result = cli.Run({"run", "--mode", "automatic", "--report", "reports/", "--junit", "results.xml"});
    ASSERT_TRUE(result.status == 0 || result.status == 1) << result.err;
    const std::vector<std::string> log = result.OutLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "READY");
    EXPECT_EQ(log.back(), "Testing complete.");
    EXPECT_TRUE(fs::exists(cli.Path(std::string("reports/") + kCompliantReport)));

    // "<tests> <failures> <testcases> <failure elements> <failures with plain text>"
    const std::string summary = JunitSummaryByPython(cli.Path("results.xml"));
    int tests = 0, failures = 0, cases = 0, failureElements = 0, withText = 0;
    ASSERT_EQ(std::sscanf(summary.c_str(), "%d %d %d %d %d", &tests, &failures, &cases, &failureElements, &withText), 5)
        << summary;
    EXPECT_GT(tests, 0);
    EXPECT_EQ(cases, tests);
    EXPECT_EQ(failureElements, failures);
    EXPECT_EQ(withText, failures);
    EXPECT_EQ(result.status, failures > 0 ? 1 : 0);
    EXPECT_THAT(result.ErrLines().back(), HasSubstr(std::to_string(tests) + " rows, " + std::to_string(failures) +
                                                    " failed; report \"reports/" + kCompliantReport + "\""));
}

struct VerdictCase {
    const char* profile;
    int status;
    const char* junit;  // tests failures testcases failure-elements failures-with-text
};

TEST(CliEndToEnd, ExitStatusAndJunitFollowTheRows) {
    const VerdictCase cases[] = {
        {"compliant", 0, "4 0 4 0 0"},
        {"faulty-ignored-writes", 1, "4 2 4 2 2"},
        {"faulty-silent-code", 1, "4 2 4 2 2"},
    };
    for (const VerdictCase& c : cases) {
        CliRunner cli(std::string("verdict-") + c.profile);
        cli.UseProfile(c.profile);
        const CliResult result =
            cli.Run({"run", "--mode", "automatic", "--codes", "0x10,0x12", "--report", "r.html", "--junit", "r.xml"});
        EXPECT_EQ(result.status, c.status) << c.profile << "\n" << result.err;
        EXPECT_EQ(JunitSummaryByPython(cli.Path("r.xml")), c.junit) << c.profile;
    }
}

struct AnswersCase {
    const char* answers;
    int status;
    const char* echoed;  // a line the run echoes on standard error
};

TEST(CliEndToEnd, ManualRunTakesItsAnswersFromTheFileInOrder) {
    const AnswersCase cases[] = {
        {"redo  # look again\nyes\n", 0, "Did the level change? -> redo"},
        {"yes\n", 0, "Did the level change? -> yes"},
        {"no\n", 1, "Did the level change? -> no"},
        {"", 2, "no answer left for \"0x10 Brightness/Luminance: Did the level change?\"; stopping the run"},
        {"ok\n", 2, ":1: \"ok\" does not answer"},
    };
    for (const AnswersCase& c : cases) {
        CliRunner cli("answers");
        WriteFile(cli.Path("answers.txt"), c.answers);
        const CliResult result = cli.Run({"run", "--mode", "manual", "--answers", "answers.txt", "--codes", "0x10",
                                          "--report", "r.html", "--no-progress"});
        EXPECT_EQ(result.status, c.status) << c.answers << "\n" << result.err;
        EXPECT_THAT(result.err, HasSubstr(c.echoed)) << c.answers;
        // A stopped run still saves what it did.
        EXPECT_TRUE(fs::exists(cli.Path("r.html"))) << c.answers;
        EXPECT_EQ(result.OutLines().back(), "Testing complete.") << c.answers;
    }
}

TEST(CliEndToEnd, ManualRunWithoutAnswersIsRefusedBeforeTheBusStarts) {
    CliRunner cli("refused");
    const CliResult result = cli.Run({"run", "--report", "r.html"});
    EXPECT_EQ(result.status, 2);
    // Not even "READY": the library was never loaded, so nothing went to the monitor.
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(FailureLine(result), HasSubstr("give --answers FILE or --answer yes|no"));
    EXPECT_FALSE(fs::exists(cli.Path("r.html")));
}

TEST(CliEndToEnd, ProjectRunTakesModeAndCodesFromTheProject) {
    CliRunner cli("project");
    const CliResult made = cli.Run({"project", "new", "p.vmdProj", "--title", "Lab 24", "--key", "01", "--test-type",
                                    "automatic", "--codes", "0x10"});
    ASSERT_EQ(made.status, 0) << made.err;

    // No --mode: the project says Automatic, so no answers are needed.
    const CliResult result = cli.Run({"run", "--project", "p.vmdProj", "--report", "r.html", "--junit", "r.xml"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string log = result.out;
    EXPECT_THAT(log, HasSubstr("Using project  '" + fs::absolute(cli.Path("p.vmdProj")).string() + "'\n"));
    EXPECT_THAT(log, HasSubstr("4. Build VCP list - Skipped, using Project file.\n \n5. Ready to start the test.\n"));
    EXPECT_THAT(log, ::testing::Not(HasSubstr("Select VCPs and Plugins")));
    EXPECT_EQ(JunitSummaryByPython(cli.Path("r.xml")), "2 0 2 0 0");

    const CliResult contradicted = cli.Run({"run", "--project", "p.vmdProj", "--mode", "manual", "--answer", "yes"});
    EXPECT_EQ(contradicted.status, 2);
    EXPECT_THAT(FailureLine(contradicted), HasSubstr("the project fixes the mode to automatic"));
    // A project that selects nothing would pass every one of its zero rows.
    ASSERT_EQ(cli.Run({"project", "new", "empty.vmdProj", "--title", "Empty", "--key", "01", "--test-type", "automatic",
                       "--codes", ""})
                  .status,
              0);
    const CliResult empty = cli.Run({"run", "--project", "empty.vmdProj", "--report", "empty.html"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_THAT(FailureLine(empty), HasSubstr("nothing to test"));
    EXPECT_FALSE(fs::exists(cli.Path("empty.html")));
}

struct SetupCase {
    const char* name;
    std::vector<std::string> args;
    const char* commonProgramFiles;  // null: the build's driver folder
    const char* profile;             // null: the built-in monitor
    const char* message;
};

TEST(CliEndToEnd, SetupAndUsageErrorsExitTwoWithOneLine) {
    const SetupCase cases[] = {
        {"no library", {"monitors"}, "/nonexistent", nullptr, "cannot load the wrapper library"},
        {"no library run", {"run", "--mode", "automatic"}, "/nonexistent", nullptr, "cannot load the wrapper library"},
        {"no monitor", {"monitors"}, nullptr, "no-such-profile", "no monitor was found"},
        {"monitor out of range",
         {"run", "--mode", "automatic", "--monitor", "2"},
         nullptr,
         nullptr,
         "there is no monitor 2: the library found 1"},
        {"bad monitor number", {"caps", "--monitor", "0"}, nullptr, nullptr, "--monitor takes a number from 1 to 16"},
        {"missing project",
         {"run", "--project", "missing.vmdProj"},
         nullptr,
         nullptr,
         "missing.vmdProj: Could not open Project file!"},
        {"unknown option", {"run", "--colour"}, nullptr, nullptr, "unknown option --colour"},
        {"bad group", {"run", "--groups", "a,z"}, nullptr, nullptr, "\"z\" is no group"},
        {"missing answers file",
         {"run", "--answers", "none.txt"},
         nullptr,
         nullptr,
         "cannot read the answers file \"none.txt\""},
        {"report folder missing",
         {"run", "--mode", "automatic", "--report", "no/such/r.html"},
         nullptr,
         nullptr,
         "the folder of the report \"no/such/r.html\" does not exist"},
        {"JUnit file is a folder",
         {"run", "--mode", "automatic", "--junit", "."},
         nullptr,
         nullptr,
         "the JUnit file \".\" is a folder"},
        {"report not writable",
         {"run", "--mode", "automatic", "--codes", "0x10", "--report", "/proc/kestrova.html"},
         nullptr,
         nullptr,
         "the report could not be saved to \"/proc/kestrova.html\""},
        {"unknown command", {"calibrate"}, nullptr, nullptr, "unknown command \"calibrate\""},
        {"project key",
         {"project", "new", "p.vmdProj", "--title", "t"},
         nullptr,
         nullptr,
         "Application key Can not be default 0xFF value!"},
        {"project title",
         {"project", "new", "p.vmdProj", "--key", "01"},
         nullptr,
         nullptr,
         "Project title must be filled in!"},
    };
    for (const SetupCase& c : cases) {
        CliRunner cli("setup");
        if (c.commonProgramFiles != nullptr) {
            cli.SetEnv("CommonProgramFiles", c.commonProgramFiles);
        }
        if (c.profile != nullptr) {
            cli.UseProfile(c.profile);
        }
        const CliResult result = cli.Run(c.args);
        EXPECT_EQ(result.status, 2) << c.name << "\n" << result.err;
        EXPECT_THAT(FailureLine(result), HasSubstr(c.message)) << c.name;
        EXPECT_EQ(result.ErrLines().back().rfind("kestrova: ", 0), 0u) << c.name;
    }
}

TEST(CliEndToEnd, EveryCommandHasHelp) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},        {"monitors", "--help"}, {"caps", "--help"},           {"groups", "--help"},
        {"run", "--help"}, {"project", "--help"},  {"project", "new", "--help"}, {"project", "show", "-h"},
    };
    CliRunner cli("help");
    for (const std::vector<std::string>& args : commands) {
        const CliResult result = cli.Run(args);
        EXPECT_EQ(result.status, 0) << args.front();
        EXPECT_THAT(result.out, StartsWith("Usage: kestrova")) << args.front();
    }
}

TEST(CliEndToEnd, MonitorsAndCapsShowWhatTheWindowShows) {
    CliRunner cli("monitors");
    cli.UseProfile("two-monitors");
    const CliResult monitors = cli.Run({"monitors"});
    ASSERT_EQ(monitors.status, 0) << monitors.err;
    ASSERT_EQ(monitors.OutLines().size(), 2u) << monitors.out;

    const CliResult caps = cli.Run({"caps", "--monitor", "2"});
    ASSERT_EQ(caps.status, 0) << caps.err;
    const std::vector<std::string> lines = caps.OutLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_THAT(lines[0], ::testing::MatchesRegex("Caps - [0-9]+ continuous, [0-9]+ discrete commands"));
    EXPECT_EQ(lines[1], "Caps -");
    EXPECT_EQ(lines[2].front(), '(');
}

struct ChecksumCase {
    const char* codes;
    const char* checksum;
    const char* shownCodes;
};

TEST(CliEndToEnd, ProjectNewAndShowAgreeOnTheEditorsChecksum) {
    const ChecksumCase cases[] = {
        {"none", "00005709", "none"},
        {"0x10", "00015709", "0x10"},
    };
    for (const ChecksumCase& c : cases) {
        CliRunner cli("checksum");
        const CliResult made = cli.Run({"project", "new", "p.vmdProj", "--title", "abc", "--key", "01", "--codes",
                                        c.codes, "--comments", "fixed"});
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.out, std::string("Saved \"p.vmdProj\"\nCkSum: ") + c.checksum + "\n");

        const CliResult shown = cli.Run({"project", "show", "p.vmdProj"});
        ASSERT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, std::string("Title: abc\nTest type: Automatic\nLevel: Standard\nPlug-ins: none\n"
                                         "Application key: 01\nVCP codes: ") +
                                 c.shownCodes + "\nComments: fixed\nCkSum: " + c.checksum + "\n");

        const CliResult again = cli.Run({"project", "new", "p.vmdProj", "--title", "abc", "--key", "01"});
        EXPECT_EQ(again.status, 2);
        EXPECT_THAT(FailureLine(again), HasSubstr("give --force to replace it"));
    }
}

TEST(CliEndToEnd, ProjectShowRefusesAFileOfAnotherVersion) {
    CliRunner cli("version");
    std::string bytes(1691, '\0');
    bytes[0] = 2;
    WriteFile(cli.Path("v2.vmdProj"), bytes);
    const CliResult result = cli.Run({"project", "show", "v2.vmdProj"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(FailureLine(result), HasSubstr("v2.vmdProj: Project format version is unsupported!"));
}

}  // namespace
}  // namespace kestrova::app::console::testing
