// The continuous-control procedure against the lab, through the real library and bus layer: what it
// writes, reads, waits, asks and reports for each path, on compliant and faulty monitors.
#include "engine/continuous_control_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/vcp_tag.h"
#include "continuous_lab_fixture.h"

namespace kestrova::engine {
namespace {

using op::testing::EventKind;
using Strings = std::vector<std::string>;
using Sleeps = std::vector<uint32_t>;

struct Outcome {
    bool pass = false;
    std::string result;
};

class ContinuousControlTestTest : public testing::ProcedureLabTest {
  protected:
    Outcome Run(uint8_t code) {
        Outcome outcome;
        outcome.pass = ContinuousControlTest(code, outcome.result);
        return outcome;
    }

    std::vector<op::testing::PresenterEvent> Questions() const { return presenter_.EventsOf(EventKind::kQuestion); }
};

// Two features for a small control and a window control, laid over the compliant monitor.
constexpr char kSmallControls[] = R"("features": {
    "0x6E": {"current": 2, "maximum": 4},
    "0x6C": {"current": 1, "maximum": 1},
    "0x95": {"type": "C", "access": "RW", "current": 10, "maximum": 100},
    "0xA4": {"type": "NC", "access": "RW", "current": 255, "maximum": 255},
    "0xA5": {"type": "C", "access": "RW", "current": 0, "maximum": 256},
    "0xFB": {"type": "C", "access": "RW", "current": 5, "maximum": 24}})";

TEST_F(ContinuousControlTestTest, TheCompliantMonitorPassesEveryListedContinuousControl) {
    UseLab("compliant.json");
    int tested = 0;
    for (int c = 0; c < 256; ++c) {
        const uint8_t code = static_cast<uint8_t>(c);
        const catalogue::VcpEntry& entry = catalogue::Catalogue()[code];
        if (entry.procedure != catalogue::kProcedureContinuous || !entry.inCaps) {
            continue;
        }
        SCOPED_TRACE(entry.name.Str());
        const bool readWrite = entry.access == catalogue::kReadWrite && code != 0x0C;
        const int before = Held(code);
        const Outcome outcome = Run(code);
        EXPECT_TRUE(outcome.pass) << outcome.result;
        if (readWrite) {
            EXPECT_TRUE(outcome.result.ends_with("Tested min and max values, r/w.<BR>")) << outcome.result;
        }
        EXPECT_EQ(Held(code), before) << "the control is written back";
        ++tested;
    }
    EXPECT_GE(tested, 15);
    for (const std::string& line : presenter_.LogLines()) {
        EXPECT_TRUE(line.starts_with("...testing ")) << line;
    }
}

TEST_F(ContinuousControlTestTest, WhatEachPathWritesWaitsAndReportsOnTheCompliantMonitor) {
    struct Case {
        uint8_t code;
        std::string result;
        Strings writes;
        Sleeps sleeps;
    };
    const Case cases[] = {
        {0x10,
         "Initial, min=0 max=100 cur=75<BR>Tested min and max values, r/w.<BR>",
         {"0x10 0", "0x10 50", "0x10 100", "0x10 75"},
         {64, 64, 64, 64}},
        {0x3E,
         "Initial, min=0 max=31 cur=16<BR>Tested min and max values, r/w.<BR>",
         {"0x3E 0", "0x3E 15", "0x3E 31", "0x3E 16"},
         {64, 64, 64, 64}},
        // The gains move to the first listed user preset first, and stay there.
        {0x16,
         "Initial, min=0 max=100 cur=50<BR>Tested min and max values, r/w.<BR>",
         {"0x14 11", "0x16 0", "0x16 50", "0x16 100", "0x16 50"},
         {100, 64, 64, 64, 64}},
        {0x0C,
         "Initial, min=0 max=100 cur=70<BR>Increment is 50<BR>Value of 0 is 3000K, 1 is 3050K<BR>",
         {"0x0C 0", "0x0C 50", "0x0C 100", "0x0C 70"},
         {32, 32, 32, 64}},
        {0xAC, "Initial, min=0 max=65535 cur=6750<BR>Horz Freq is 67.00 KHz<BR>", {}, {}},
        {0xAE, "Initial, min=0 max=65535 cur=6000<BR>Vert Freq is 60.00 Hz<BR>", {}, {}},
        {0xC9, "Initial, min=0 max=65535 cur=258<BR>Firmware version is 1.2<BR>", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(catalogue::Catalogue()[c.code].name.Str());
        UseLab("compliant.json");
        const Outcome outcome = Run(c.code);
        EXPECT_TRUE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_EQ(presenter_.LogLines(), Strings{"...testing " + catalogue::Catalogue()[c.code].name.Str() + " "});
    }
    EXPECT_EQ(Held(0x14), 5) << "served afresh for the last case";
}

TEST_F(ContinuousControlTestTest, TheProgressBarFollowsTheSweep) {
    UseLab("compliant.json");
    Run(0x10);
    std::vector<std::pair<EventKind, int>> progress;
    for (const auto& event : presenter_.Events()) {
        if (event.kind == EventKind::kIndividualRange || event.kind == EventKind::kIndividualPosition) {
            progress.emplace_back(event.kind, event.kind == EventKind::kIndividualRange ? event.second : event.first);
        }
    }
    const std::vector<std::pair<EventKind, int>> expected = {
        {EventKind::kIndividualRange, 100},    {EventKind::kIndividualPosition, 0},
        {EventKind::kIndividualPosition, 0},   {EventKind::kIndividualPosition, 50},
        {EventKind::kIndividualPosition, 100}, {EventKind::kIndividualPosition, 0},
    };
    EXPECT_EQ(progress, expected);
}

TEST_F(ContinuousControlTestTest, SweepsBySettingAndRangeWithTheirSpecialControls) {
    struct Case {
        const char* name;
        bool fullRange;
        uint8_t code;
        std::string result;
        Strings writes;
        Sleeps sleeps;
    };
    const Case cases[] = {
        {"robust testing writes every value",
         true,
         0x6E,
         "Initial, min=0 max=4 cur=2<BR>Tested full range of values, r/w.<BR>",
         {"0x6E 0", "0x6E 1", "0x6E 2", "0x6E 3", "0x6E 4", "0x6E 2"},
         {64, 64, 64, 64, 64, 64}},
        {"a range of 0..1 has only minimum (also the middle) and maximum",
         false,
         0x6C,
         "Initial, min=0 max=1 cur=1<BR>Tested min and max values, r/w.<BR>",
         {"0x6C 0", "0x6C 1", "0x6C 1"},
         {64, 64, 64}},
        {"a theft timeout starts at 1",
         false,
         0xFB,
         "Initial, min=1 max=24 cur=5<BR>Tested min and max values, r/w.<BR>",
         {"0xFB 1", "0xFB 12", "0xFB 24", "0xFB 5"},
         {64, 64, 64, 64}},
        {"a window control opens the first window and closes the windows after",
         false,
         0x95,
         "Initial, min=0 max=100 cur=10<BR>Tested min and max values, r/w.<BR>",
         {"0xA4 0", "0xA5 256", "0x95 0", "0x95 50", "0x95 100", "0x95 10", "0xA5 256", "0xA4 255"},
         {64, 64, 64, 64, 64, 64, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompliantWith(kSmallControls);
        op::FullRangeTesting = c.fullRange;
        const Outcome outcome = Run(c.code);
        EXPECT_TRUE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    }
}

TEST_F(ContinuousControlTestTest, ManualModeAsksFromTheThirdGoodReadBackOn) {
    struct Case {
        const char* name;
        bool fullRange;
        uint8_t code;
        std::vector<int> answers;
        bool pass;
        std::string result;
        size_t questions;
        Strings writes;
    };
    const Case cases[] = {
        {"yes after the maximum",
         false,
         0x10,
         {op::kAnswerYes},
         true,
         "Initial, min=0 max=100 cur=75<BR>Tested min and max values, r/w.<BR>",
         1,
         {"0x10 0", "0x10 50", "0x10 100", "0x10 75"}},
        {"no after the maximum",
         false,
         0x10,
         {op::kAnswerNo},
         false,
         "Initial, min=0 max=100 cur=75<BR>...FAILED, set 100, got 100<BR>Added read delays 1 times.<BR>",
         1,
         {"0x10 0", "0x10 50", "0x10 100", "0x10 75"}},
        {"redo starts again from the first read",
         false,
         0x10,
         {op::kAnswerRedo, op::kAnswerYes},
         true,
         "Initial, min=0 max=100 cur=75<BR>Initial, min=0 max=100 cur=75<BR>Tested min and max values, r/w.<BR>",
         2,
         {"0x10 0", "0x10 50", "0x10 100", "0x10 75", "0x10 0", "0x10 50", "0x10 100", "0x10 75"}},
        {"robust testing asks after every value from the third",
         true,
         0x6E,
         {op::kAnswerYes, op::kAnswerNo, op::kAnswerYes},
         false,
         "Initial, min=0 max=4 cur=2<BR>...FAILED, set 3, got 3<BR>Added read delays 1 times.<BR>",
         3,
         {"0x6E 0", "0x6E 1", "0x6E 2", "0x6E 3", "0x6E 4", "0x6E 2"}},
        {"two values are never asked about",
         false,
         0x6C,
         {},
         true,
         "Initial, min=0 max=1 cur=1<BR>Tested min and max values, r/w.<BR>",
         0,
         {"0x6C 0", "0x6C 1", "0x6C 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompliantWith(kSmallControls);
        op::TestMode = op::kManualMode;
        op::FullRangeTesting = c.fullRange;
        for (int answer : c.answers) {
            presenter_.QueueQuestionAnswer(answer);
        }
        const Outcome outcome = Run(c.code);
        EXPECT_EQ(outcome.pass, c.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        const auto questions = Questions();
        ASSERT_EQ(questions.size(), c.questions);
        const std::string name = catalogue::Catalogue()[c.code].name.Str();
        for (const auto& question : questions) {
            EXPECT_EQ(question.caption, name);
            EXPECT_EQ(question.text, name + ": Did the level change?");
        }
        EXPECT_EQ(presenter_.LogLines().back() == "......FAILED " + name + " ", !c.pass);
    }
}

TEST_F(ContinuousControlTestTest, AMonitorThatIgnoresWritesFailsEveryValueItDoesNotAlreadyHold) {
    struct Case {
        const char* name;
        int mode;
        bool fullRange;
        std::string result;
        Strings writes;
        Sleeps sleeps;
    };
    const std::string initial = "Initial, min=0 max=100 cur=75<BR>";
    auto failed = [](int value) { return "...FAILED, could not read after set to " + std::to_string(value) + " <BR>"; };
    // Each value: the settle time, the two read-back retries, the pause after a failed value.
    const Sleeps perValue = {64, 16, 32, 32};
    Case cases[] = {
        {"standard",
         op::kAutomaticMode,
         false,
         initial + failed(0) + failed(50) + failed(100),
         {"0x10 0 ignored", "0x10 50 ignored", "0x10 100 ignored", "0x10 75 ignored"},
         {}},
        {"manual asks nothing when nothing reads back",
         op::kManualMode,
         false,
         initial + failed(0) + failed(50) + failed(100),
         {"0x10 0 ignored", "0x10 50 ignored", "0x10 100 ignored", "0x10 75 ignored"},
         {}},
        {"robust stops after the tenth failure", op::kAutomaticMode, true, initial, {}, {}},
    };
    for (int i = 0; i < 3; ++i) {
        cases[0].sleeps.insert(cases[0].sleeps.end(), perValue.begin(), perValue.end());
        cases[1].sleeps.insert(cases[1].sleeps.end(), perValue.begin(), perValue.end());
    }
    for (int value = 0; value < 10; ++value) {
        cases[2].result += failed(value);
        cases[2].writes.push_back("0x10 " + std::to_string(value) + " ignored");
        cases[2].sleeps.insert(cases[2].sleeps.end(), perValue.begin(), perValue.end());
    }
    cases[2].writes.push_back("0x10 75 ignored");
    for (Case& c : cases) {
        c.sleeps.push_back(64);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseLab("faulty-ignored-writes.json");
        op::TestMode = c.mode;
        op::FullRangeTesting = c.fullRange;
        const Outcome outcome = Run(0x10);
        EXPECT_FALSE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_TRUE(Questions().empty());
        EXPECT_EQ(presenter_.LogLines(),
                  (Strings{"...testing 0x10 Brightness/Luminance ", "......FAILED 0x10 Brightness/Luminance "}));
        EXPECT_EQ(Held(0x10), 75);
    }
}

TEST_F(ContinuousControlTestTest, AControlThatCannotBeReadFailsWithoutBeingWritten) {
    // ReadVcp's own three tries, 64, 128 and 192 ms apart.
    const Sleeps busRetries = {64, 128, 192};
    struct Case {
        const char* name;
        std::string patch;
        std::string fault;
        uint8_t code;
        std::string result;
        Strings writes;
        Sleeps sleeps;
    };
    const Case cases[] = {
        {"silent",
         kSmallControls,
         "silent 0x10",
         0x10,
         "...FAIL to get current 0x10 Brightness/Luminance<BR>",
         {},
         busRetries},
        {"unsupported",
         R"("features": {"0x12": {"unsupported": true}})",
         "",
         0x12,
         "...FAIL to get current 0x12 Contrast<BR>...Monitor says '0x12 Contrast' is Unsupported<BR>",
         {},
         {}},
        {"a silent window control still closes the windows",
         kSmallControls,
         "silent 0x95",
         0x95,
         "...FAIL to get current 0x95 Window position (TL_X)<BR>",
         {"0xA4 0", "0xA5 256", "0xA5 256", "0xA4 255"},
         {64, 64, 64, 128, 192, 64}},
        {"read-only",
         kSmallControls,
         "silent 0xAC",
         0xAC,
         "...FAIL to get current 0xAC Horizontal Freq<BR>",
         {},
         busRetries},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompliantWith(c.patch);
        if (!c.fault.empty()) {
            Fault(c.fault);
        }
        const Outcome outcome = Run(c.code);
        EXPECT_FALSE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    }
}

TEST_F(ContinuousControlTestTest, ColourTemperatureWarnsAboutAnImplausibleTopButStillPasses) {
    struct Case {
        const char* name;
        int increment;
        int maximum;
        bool warning;
    };
    const Case cases[] = {
        {"50 K steps to 53000 K", 50, 1000, false},
        {"100 K steps to 73000 K", 100, 700, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompliantWith(R"("features": {"0x0B": {"current": )" + std::to_string(c.increment) +
                         R"(}, "0x0C": {"current": 70, "maximum": )" + std::to_string(c.maximum) + "}}");
        const Outcome outcome = Run(0x0C);
        EXPECT_TRUE(outcome.pass);
        std::string expected = "Initial, min=0 max=" + std::to_string(c.maximum) + " cur=70<BR>Increment is " +
                               std::to_string(c.increment) + "<BR>Value of 0 is 3000K, 1 is " +
                               std::to_string(3000 + c.increment) + "K<BR>";
        if (c.warning) {
            expected += "...WARNING, max value is too high<BR>";
        }
        EXPECT_EQ(outcome.result, expected);
        EXPECT_EQ(Writes().size(), 4u);
    }
}

TEST_F(ContinuousControlTestTest, ColourTemperatureFailures) {
    struct Case {
        const char* name;
        std::string fault;
        std::string result;
        Sleeps sleeps;
    };
    const std::string initial = "Initial, min=0 max=100 cur=70<BR>";
    const std::string increment = "Increment is 50<BR>Value of 0 is 3000K, 1 is 3050K<BR>";
    const Case cases[] = {
        {"writes ignored",
         "ignore 0x0C",
         initial + increment + "...FAILED, could not read after set to 0 <BR>" +
             "...FAILED, could not read after set to 50 <BR>...FAILED, could not read after set to 100 <BR>",
         {32, 16, 32, 32, 32, 16, 32, 32, 32, 16, 32, 32, 64}},
        // Without an increment there is nothing to sweep by: a failure, not a silent pass.
        {"increment silent",
         "silent 0x0B",
         initial + "...FAIL to get current 0x0B Color Temperature Increment<BR>",
         {64, 128, 192}},
        {"request silent", "silent 0x0C", "...FAIL to get current 0x0C Color Temperature Request<BR>", {64, 128, 192}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseLab("compliant.json");
        Fault(c.fault);
        const Outcome outcome = Run(0x0C);
        EXPECT_FALSE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_EQ(presenter_.LogLines().back(), "......FAILED 0x0C Color Temperature Request ");
    }
}

TEST_F(ContinuousControlTestTest, ReadOnlyControlsAreJudgedAgainstTheirBounds) {
    struct Case {
        uint8_t code;
        int value;
        std::string finding;
        bool pass;
    };
    const Case cases[] = {
        {0xAC, 6750, "Horz Freq is 67.00 KHz<BR>", true},
        {0xAC, 4999, "Horz Freq is 49.00 KHz<BR>...FAILED, exp from 50KHz to 90KHz<BR>", false},
        {0xAC, 5000, "Horz Freq is 50.00 KHz<BR>", true},
        {0xAC, 9099, "Horz Freq is 90.00 KHz<BR>", true},
        {0xAC, 9100, "Horz Freq is 91.00 KHz<BR>...FAILED, exp from 50KHz to 90KHz<BR>", false},
        {0xAE, 3999, "Vert Freq is 39.00 Hz<BR>...FAILED, exp from 40Hz to 80Hz<BR>", false},
        {0xAE, 4000, "Vert Freq is 40.00 Hz<BR>", true},
        {0xAE, 8099, "Vert Freq is 80.00 Hz<BR>", true},
        {0xAE, 8100, "Vert Freq is 81.00 Hz<BR>...FAILED, exp from 40Hz to 80Hz<BR>", false},
        {0xC2, 1, "Desc area length is 1 bytes<BR>...FAILED, exp from 2 to 256 bytes<BR>", false},
        {0xC2, 2, "Desc area length is 2 bytes<BR>", true},
        {0xC2, 256, "Desc area length is 256 bytes<BR>", true},
        {0xC2, 257, "Desc area length is 257 bytes<BR>...FAILED, exp from 2 to 256 bytes<BR>", false},
        {0xC9, 0x00FF, "Firmware version is 0.255<BR>...FAILED, version is lower than V 1.0<BR>", false},
        {0xC9, 0x0100, "Firmware version is 1.0<BR>", true},
        {0xC9, 0x1203, "Firmware version is 18.3<BR>", true},
        // A read-only code without bounds of its own is not judged.
        {0xB6, 3, "** Not tested yet **<BR>", false},
    };
    UseLab("colour-presets.json");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " = " + std::to_string(c.value));
        Press(c.code, c.value);
        const Outcome outcome = Run(c.code);
        EXPECT_EQ(outcome.pass, c.pass);
        const std::string initial = "Initial, min=0 max=";
        ASSERT_TRUE(outcome.result.starts_with(initial)) << outcome.result;
        const size_t findingAt = outcome.result.find("<BR>") + 4;
        EXPECT_EQ(outcome.result.substr(findingAt), c.finding);
        EXPECT_NE(outcome.result.find(" cur=" + std::to_string(c.value) + "<BR>"), std::string::npos);
    }
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(clock_.Sleeps().empty());
}

TEST_F(ContinuousControlTestTest, TheFaultyProfilesFailTheirReadOnlyControls) {
    struct Case {
        const char* profile;
        uint8_t code;
        std::string result;
    };
    const Case cases[] = {
        {"faulty-frequencies.json", 0xAC,
         "Initial, min=0 max=65535 cur=4999<BR>Horz Freq is 49.00 KHz<BR>...FAILED, exp from 50KHz to 90KHz<BR>"},
        {"faulty-frequencies.json", 0xAE,
         "Initial, min=0 max=65535 cur=8150<BR>Vert Freq is 81.00 Hz<BR>...FAILED, exp from 40Hz to 80Hz<BR>"},
        {"faulty-descriptor-firmware.json", 0xC2,
         "Initial, min=0 max=65535 cur=257<BR>Desc area length is 257 bytes<BR>...FAILED, exp from 2 to 256 bytes<BR>"},
        {"faulty-descriptor-firmware.json", 0xC9,
         "Initial, min=0 max=65535 cur=255<BR>Firmware version is 0.255<BR>...FAILED, version is lower than V 1.0<BR>"},
    };
    // Only the vertical frequency is the engineer's to judge (below); the other bounds hold in both modes.
    for (int mode : {op::kAutomaticMode, op::kManualMode}) {
        for (const Case& c : cases) {
            if (mode == op::kManualMode && c.code == 0xAE) {
                continue;
            }
            SCOPED_TRACE(std::string(c.profile) + " mode " + std::to_string(mode));
            UseLab(c.profile);
            op::TestMode = mode;
            const Outcome outcome = Run(c.code);
            EXPECT_FALSE(outcome.pass);
            EXPECT_EQ(outcome.result, c.result);
            EXPECT_EQ(presenter_.LogLines().back(), "......FAILED " + catalogue::Catalogue()[c.code].name.Str() + " ");
            EXPECT_TRUE(presenter_.Messages().empty());
        }
    }
}

TEST_F(ContinuousControlTestTest, InManualModeTheEngineerJudgesTheVerticalFrequency) {
    struct Case {
        op::MessageAnswer answer;
        bool pass;
    };
    for (const Case& c : {Case{op::MessageAnswer::kYes, true}, Case{op::MessageAnswer::kNo, false}}) {
        SCOPED_TRACE(c.pass ? "yes" : "no");
        UseLab("faulty-frequencies.json");
        op::TestMode = op::kManualMode;
        presenter_.QueueMessageAnswer(c.answer);
        const Outcome outcome = Run(0xAE);
        EXPECT_EQ(outcome.pass, c.pass);
        // The bounds are the engineer's: no failure line of ours either way.
        EXPECT_EQ(outcome.result, "Initial, min=0 max=65535 cur=8150<BR>Vert Freq is 81.00 Hz<BR>");
        const auto boxes = presenter_.EventsOf(EventKind::kMessage);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "0xAE VertFreq");
        EXPECT_EQ(boxes[0].text, "Vertical Frequency is 81.00 Is this correct?");
        EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kYesNo);
        EXPECT_EQ(boxes[0].icon, op::MessageIcon::kNone);
    }
}

TEST_F(ContinuousControlTestTest, UserPresetGainsAreTheOnesSwept) {
    UseLab("colour-presets.json");
    const Outcome outcome = Run(0x18);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=100 cur=55<BR>Tested min and max values, r/w.<BR>");
    EXPECT_EQ(Writes(), (Strings{"0x14 11", "0x18 0", "0x18 50", "0x18 100", "0x18 55"}));
    EXPECT_EQ(Held(0x14), 11);
    // Already in the user preset: no second switch.
    testing::LabCommand("clear-writes 1");
    EXPECT_TRUE(Run(0x1A).pass);
    EXPECT_EQ(Writes().front(), "0x1A 0");
}

TEST_F(ContinuousControlTestTest, WriteOnlyAndUnknownAccess) {
    UseLab("compliant.json");
    Outcome outcome = Run(0x04);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(outcome.result, "** Not tested yet **<BR>");
    EXPECT_EQ(presenter_.LogLines().back(), "......FAILED 0x04 Restore factory defaults ");
    presenter_.ClearEvents();
    outcome = Run(0x07);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(presenter_.LogLines(), Strings{"...testing 0x07 Reserved "});
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
}  // namespace kestrova::engine
