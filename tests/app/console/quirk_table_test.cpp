// Every quirk profile of the lab (lab/quirks/), one a class of real monitors' DDC/CI misbehaviour,
// through the real program in Automatic and Manual runs on the virtual clock. Each run must end
// with a whole report and JUnit file, and fail exactly the rows the table names beyond those that
// fail on the compliant monitor with the same choices: a fault the host recovers from fails none,
// a departure from the standard fails the rows it reaches. The table was made once from the runs
// and read row by row against what each profile plays; lab/README.md carries it for people.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kestrova::app::console::testing {
namespace {

enum FindingModes { kBothModes, kAutomaticOnly, kManualOnly };

struct QuirkCase {
    const char* profile;  // lab/quirks/<profile>.json
    const char* codes;    // --codes, for a quirk the capabilities' own selection never reaches
    const char* finding;  // a line of the report that says what the monitor did
    FindingModes findingModes;
    const char* automaticFails;  // "Group:row ..." beyond the compliant monitor's failures
    const char* manualFails;
};

const QuirkCase kCases[] = {
    {"01-ddc-lost-through-dock", nullptr, nullptr, kBothModes, "", ""},
    {"02-corrupt-frames", nullptr, nullptr, kBothModes, "", ""},
    {"03-capabilities-repeated", nullptr, "FAIL - the capabilities string starts again after its closing parenthesis",
     kBothModes, "Lumetra:0xDF Vista:0xDF", "Lumetra:0xDF Vista:0xDF"},
    {"04-writes-revert", nullptr, "...FAILED, set 100, read it back once, then 75", kBothModes,
     "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12", "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12"},
    {"05-deaf-in-standby", "0x10,0x12", "...FAIL to get current 0x10 Brightness/Luminance", kBothModes,
     "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12", "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12"},
    {"06-unsupported-as-zeros", "0x10,0x22", "FAIL - max 0 leaves no range to set", kBothModes, "", ""},
    {"07-slow-responder", nullptr, nullptr, kBothModes, "", ""},
    {"08-range-lies", nullptr, "...FAIL to get test val (exp 96, got 150), 0x10 Brightness/Luminance", kBothModes,
     "Lumetra:0x05 Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12",
     "Lumetra:0x05 Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12"},
    {"09-input-source-reads-zero", nullptr, "FAIL - reads 0x00, not an input the capabilities list", kAutomaticOnly,
     "Lumetra:0x60", ""},
    {"10-wedged-by-power-mode", nullptr, "...FAIL to get current 0x62 Audio Speaker Vol", kManualOnly, "",
     "Theft:0xFA Theft:0xFB Theft:0xFC Theft:0xFD Theft:0xFE Theft:Check Theft:Check "
     "Theft:Check Theft:Check Theft:Check Theft:Check Theft:Check Theft:Check Theft:Check "
     "Auto:0xAA Zoning:0x86 Zoning:0x95 Zoning:0x96 Zoning:0x97 Zoning:0x98 Zoning:0xA4 "
     "Zoning:0xA5 Zoning:0xF1 Zoning:0xF2 Zoning:0xF3 Zoning:0xF4 Image:0x66 Image:0xDC "
     "Audio:0x62 Audio:0x8D Audio:0x94 Geometry:0xB2 Misc:0x52 Misc:0xAC Misc:0xCC "
     "Manufacturer:0xF1 Manufacturer:0xF2 Manufacturer:0xF3 Manufacturer:0xF4"},
    {"11-null-for-unsupported", "0x10,0x22", "...FAIL to get current 0x22 Horizontal size", kBothModes, "", ""},
    {"12-fast-writes-dropped", nullptr, "...FAIL, could not reset 0x12 Contrast, (remained at 94)", kBothModes,
     "Lumetra:0x04 Lumetra:0x05 Lumetra:0x06 Lumetra:0x08 Lumetra:0x0E Lumetra:0x10 "
     "Lumetra:0x12 Lumetra:0x1E Lumetra:0x16 Lumetra:0x18 Lumetra:0x1A Lumetra:0x20 "
     "Lumetra:0x30 Lumetra:0x3E Velmora:0x0C Velmora:0x6C Velmora:0x6E Velmora:0x70 Asset:0xCA "
     "Theft:0xFB Theft:0xFE Zoning:0x95 Zoning:0x96 Zoning:0x97 Zoning:0x98 Zoning:0xA4 "
     "Zoning:0xA5 Zoning:0xF1 Zoning:0xF2 Zoning:0xF3 Zoning:0xF4 Vista:0x04 Vista:0x08 "
     "Vista:0x10 Vista:0x12 Vista:0x16 Vista:0x18 Vista:0x1A Vista:0x6C Vista:0x6E Vista:0x70 "
     "Vista:0x20 Vista:0x30 Image:0x66 Audio:0x62 Audio:0x8D Audio:0x94 Manufacturer:0xF1 "
     "Manufacturer:0xF2 Manufacturer:0xF3 Manufacturer:0xF4",
     "Lumetra:0x04 Lumetra:0x05 Lumetra:0x06 Lumetra:0x08 Lumetra:0x0E Lumetra:0x10 "
     "Lumetra:0x12 Lumetra:0x1E Lumetra:0x16 Lumetra:0x18 Lumetra:0x1A Lumetra:0x20 "
     "Lumetra:0x30 Lumetra:0x3E Velmora:0x0C Velmora:0x6C Velmora:0x6E Velmora:0x70 Theft:0xFB "
     "Theft:0xFE Theft:Check Theft:Check Theft:Check Theft:Check Zoning:0x95 Zoning:0x96 "
     "Zoning:0x97 Zoning:0x98 Zoning:0xA4 Zoning:0xA5 Zoning:0xF1 Zoning:0xF2 Zoning:0xF3 "
     "Zoning:0xF4 Vista:0x04 Vista:0x08 Vista:0x10 Vista:0x12 Vista:0x16 Vista:0x18 Vista:0x1A "
     "Vista:0x6C Vista:0x6E Vista:0x70 Vista:0x20 Vista:0x30 Audio:0x62 Audio:0x8D Audio:0x94 "
     "Manufacturer:0xF1 Manufacturer:0xF2 Manufacturer:0xF3 Manufacturer:0xF4"},
    {"13-stale-replies", nullptr, "...FAILED, could not set to 0x01 for Mute", kBothModes,
     "Asset:0xCA Zoning:0xA4 Image:0x66 Audio:0x8D Audio:0x94", "Zoning:0xA4 Image:0x66 Audio:0x8D Audio:0x94"},
    {"14-edid-blocks-swapped", nullptr, nullptr, kBothModes, "", ""},
    {"15-vcp-version-mismatch", nullptr, "FAIL - the capabilities say mccs_ver(2.2)", kBothModes,
     "Lumetra:0xDF Vista:0xDF", "Lumetra:0xDF Vista:0xDF"},
    {"16-enable-gate", "0x10,0x12", "...FAIL to get current 0x12 Contrast", kBothModes,
     "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12", "Lumetra:0x10 Lumetra:0x12 Vista:0x10 Vista:0x12"},

};

// "Group:row" (first word of each) of every failing testcase, in file order.
std::vector<std::string> FailingRows(const std::string& junit) {
    static const std::regex testcase(R"(<testcase classname="(\S+)[^"]*" name="(\S+)[^"]*">([\s\S]*?)</testcase>)");
    std::vector<std::string> rows;
    for (std::sregex_iterator it(junit.begin(), junit.end(), testcase), end; it != end; ++it) {
        if ((*it)[3].str().find("<failure") != std::string::npos) {
            rows.push_back((*it)[1].str() + ":" + (*it)[2].str());
        }
    }
    return rows;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

struct ProfileRun {
    CliResult result;
    std::string report;
    std::string junit;
};

ProfileRun RunProfile(CliRunner& cli,
                      const std::string& profile,
                      bool manual,
                      const char* codes,
                      const std::string& tag) {
    cli.SetEnv("BREVLINK_LAB_PROFILE", CliRunner::SourcePath("lab/" + profile + ".json"));
    std::vector<std::string> args = {"run",        "--mode",       manual ? "manual" : "automatic",
                                     "--report",   tag + ".html",  "--junit",
                                     tag + ".xml", "--no-progress"};
    if (manual) {
        args.insert(args.end(), {"--answers", "yes.txt"});
    }
    if (codes != nullptr) {
        args.insert(args.end(), {"--codes", codes});
    }
    ProfileRun run;
    run.result = cli.Run(args);
    run.report = ReadFile(cli.Path(tag + ".html"));
    run.junit = ReadFile(cli.Path(tag + ".xml"));
    return run;
}

TEST(QuirkTable, EveryQuirkProfileEndsWholeAndFailsExactlyTheRowsItReaches) {
    CliRunner cli("quirk_table");
    std::string yes;
    for (int i = 0; i < 400; ++i) {
        yes += "yes\n";
    }
    WriteFile(cli.Path("yes.txt"), yes);
    std::map<std::string, std::vector<std::string>> compliant;  // by mode and codes
    for (const QuirkCase& c : kCases) {
        for (const bool manual : {false, true}) {
            SCOPED_TRACE(std::string(c.profile) + (manual ? " manual" : " automatic"));
            const std::string key = std::string(manual ? "m" : "a") + (c.codes != nullptr ? c.codes : "");
            if (compliant.count(key) == 0) {
                compliant[key] = FailingRows(RunProfile(cli, "compliant", manual, c.codes, "compliant").junit);
            }
            const ProfileRun run = RunProfile(cli, std::string("quirks/") + c.profile, manual, c.codes, "quirk");
            ASSERT_TRUE(run.result.status == 0 || run.result.status == 1) << run.result.err;
            ASSERT_FALSE(run.result.OutLines().empty());
            EXPECT_EQ(run.result.OutLines().back(), "Testing complete.");
            // Standard error holds the summary and, in Manual, each question with its answer.
            for (const std::string& line : run.result.ErrLines()) {
                EXPECT_TRUE(line.rfind("kestrova: ", 0) == 0 || (manual && line.rfind("[", 0) == 0))
                    << "unexpected on standard error: " << line;
            }
            EXPECT_NE(run.report.find("u) DPVL support"), std::string::npos) << "the report is not whole";
            EXPECT_EQ(JunitSummaryByPython(cli.Path("quirk.xml")).rfind("python: ", 0), std::string::npos)
                << "JUnit does not parse";

            std::vector<std::string> extra = FailingRows(run.junit);
            for (const std::string& row : compliant[key]) {
                const auto it = std::find(extra.begin(), extra.end(), row);
                ASSERT_NE(it, extra.end()) << row << " fails on the compliant monitor but passes here";
                extra.erase(it);
            }
            EXPECT_EQ(extra, Words(manual ? c.manualFails : c.automaticFails));
            if (c.finding != nullptr && c.findingModes != (manual ? kAutomaticOnly : kManualOnly)) {
                EXPECT_NE(run.report.find(c.finding), std::string::npos) << "no \"" << c.finding << "\"";
            }
        }
    }
}

// The corruption is random, but from the profile's seed: the same run gives the same results.
TEST(QuirkTable, ASeededRandomFaultRepeatsByteForByte) {
    CliRunner cli("quirk_seed");
    const ProfileRun first = RunProfile(cli, "quirks/02-corrupt-frames", false, nullptr, "first");
    const ProfileRun second = RunProfile(cli, "quirks/02-corrupt-frames", false, nullptr, "second");
    EXPECT_EQ(first.result.out, second.result.out);
    EXPECT_EQ(first.junit, second.junit);
}

}  // namespace
}  // namespace kestrova::app::console::testing
