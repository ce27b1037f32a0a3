// The screen-action procedure against the lab, through the real library and bus layer: the related
// controls it moves, the commands it sends, the waits, the questions and the findings, on compliant
// and faulty monitors.
#include "engine/manual_screen_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A guarded read waits 16 ms first; a check whose first read differs reads again 60 ms later.
const Sleeps kRead = {16};
const Sleeps kRecheck = {16, 60, 16};
const Sleeps kResetWait = {1000};

Sleeps Join(std::initializer_list<Sleeps> parts) {
    Sleeps all;
    for (const Sleeps& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Sleeps Repeat(const Sleeps& part, int times) {
    Sleeps all;
    for (int i = 0; i < times; ++i) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const std::string kGeometryResets =
    "...0x0E Clock resets to 50<BR>...0x3E Clock phase resets to 16<BR>...0x20 Horizontal position resets to 50<BR>"
    "...0x30 Vertical position resets to 50<BR>";
const Strings kGeometryTestValues = {"0x0E 95", "0x3E 25", "0x20 93", "0x30 92"};
const Strings kGeometrySaved = {"0x0E 50", "0x3E 16", "0x20 50", "0x30 50"};

Strings Concat(std::initializer_list<Strings> parts) {
    Strings all;
    for (const Strings& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class ManualScreenTestTest : public testing::ProcedureLabTest {
  protected:
    Outcome Run(uint8_t code) {
        Outcome outcome;
        outcome.pass = ManualScreenTest(code, outcome.result);
        return outcome;
    }

    std::vector<std::pair<std::string, std::string>> Questions() const {
        std::vector<std::pair<std::string, std::string>> questions;
        for (const auto& event : presenter_.EventsOf(EventKind::kQuestion)) {
            questions.emplace_back(event.caption, event.text);
        }
        return questions;
    }
};

TEST_F(ManualScreenTestTest, EachCommandPassesOnTheCompliantMonitor) {
    struct Case {
        uint8_t code;
        std::string result;
        Strings writes;
        Sleeps sleeps;
    };
    const Case cases[] = {
        {0x05,
         "...0x10 Brightness/Luminance resets to 75<BR>...0x12 Contrast resets to 70<BR>",
         {"0x10 96", "0x12 94", "0x05 1", "0x10 75", "0x12 70"},
         Join({Repeat(kRead, 2), {64, 64}, Repeat(kRead, 2), kResetWait, Repeat(kRecheck, 2), {100, 100}})},
        {0x06, kGeometryResets, Concat({kGeometryTestValues, {"0x06 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {300}, Repeat(kRead, 4), kResetWait, Repeat(kRecheck, 4)})},
        {0x04, kGeometryResets, Concat({kGeometryTestValues, {"0x04 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {200}, Repeat(kRead, 4), kResetWait, Repeat(kRecheck, 4), {100}})},
        {0x1E, kGeometryResets, Concat({kGeometryTestValues, {"0x1E 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {300}, Repeat(kRead, 4), kResetWait, Repeat(kRecheck, 4)})},
        // The gains move to the user preset first and are read again there; the preset goes back last.
        {0x08,
         "...0x16 Red Video Gain resets to 50<BR>...0x18 Green Video Gain resets to 50<BR>"
         "...0x1A Blue Video Gain resets to 50<BR>",
         {"0x14 11", "0x16 95", "0x18 94", "0x1A 93", "0x08 1", "0x16 50", "0x18 50", "0x1A 50", "0x14 5"},
         Join({Repeat(kRead, 3), {64}, Repeat(kRead, 3), {300}, Repeat(kRead, 3), kResetWait, Repeat(kRecheck, 3)})},
    };
    for (const Case& c : cases) {
        const std::string name = catalogue::Catalogue()[c.code].name.Str();
        SCOPED_TRACE(name);
        UseLab("compliant.json");
        const Outcome outcome = Run(c.code);
        EXPECT_TRUE(outcome.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
        EXPECT_EQ(presenter_.LogLines(), Strings{"...testing " + name + " "});
        EXPECT_TRUE(Questions().empty());
    }
}

TEST_F(ManualScreenTestTest, RobustTestingAlsoSendsZeroWhichMustResetNothing) {
    UseLab("compliant.json");
    op::FullRangeTesting = true;
    const Outcome outcome = Run(0x05);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "...0x10 Brightness/Luminance resets to 75<BR>...0x12 Contrast resets to 70<BR>");
    EXPECT_EQ(Writes(), (Strings{"0x10 96", "0x12 94", "0x05 0", "0x05 1", "0x10 75", "0x12 70"}));
    EXPECT_EQ(clock_.Sleeps(), Join({Repeat(kRead, 2),
                                     {64, 64},
                                     Repeat(kRead, 2),
                                     kResetWait,
                                     Repeat(kRead, 2),
                                     kResetWait,
                                     Repeat(kRecheck, 2),
                                     {100, 100}}));
}

TEST_F(ManualScreenTestTest, FactoryDefaultsAsksTwiceAndRedoesEitherStep) {
    const std::pair<std::string, std::string> changed = {"0x04 Factory Defaults", "Did the screen change?"};
    const std::pair<std::string, std::string> returned = {"0x04 Factory Defaults",
                                                          "Did the screen return to factory defaults?"};
    struct Case {
        const char* name;
        std::vector<int> answers;
        bool pass;
        std::vector<std::pair<std::string, std::string>> questions;
        Strings writes;
        Sleeps sleeps;
    };
    const Sleeps checks = Join({Repeat(kRead, 4)});
    const Sleeps after = Join({kResetWait, Repeat(kRecheck, 4), {100}});
    const Case cases[] = {
        {"yes, yes",
         {op::kAnswerYes, op::kAnswerYes},
         true,
         {changed, returned},
         Concat({kGeometryTestValues, {"0x04 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {200}, checks, after})},
        {"no, yes: a failure, and the test goes on",
         {op::kAnswerNo, op::kAnswerYes},
         false,
         {changed, returned},
         Concat({kGeometryTestValues, {"0x04 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {200}, checks, after})},
        {"redo at the first question puts the controls back and moves them again",
         {op::kAnswerRedo, op::kAnswerYes, op::kAnswerYes},
         true,
         {changed, changed, returned},
         Concat({kGeometryTestValues, kGeometrySaved, kGeometryTestValues, {"0x04 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {200, 100, 200}, checks, after})},
        {"redo at the second question sends the command again",
         {op::kAnswerYes, op::kAnswerRedo, op::kAnswerYes},
         true,
         {changed, returned, returned},
         Concat({kGeometryTestValues, {"0x04 1"}, kGeometryTestValues, {"0x04 1"}, kGeometrySaved}),
         Join({Repeat(kRead, 4), {200}, checks, {100}, after})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseLab("compliant.json");
        op::TestMode = op::kManualMode;
        for (int answer : c.answers) {
            presenter_.QueueQuestionAnswer(answer);
        }
        const Outcome outcome = Run(0x04);
        EXPECT_EQ(outcome.pass, c.pass);
        EXPECT_EQ(outcome.result, kGeometryResets);
        EXPECT_EQ(Questions(), c.questions);
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    }
}

TEST_F(ManualScreenTestTest, WithoutListedGeometryFactoryDefaultsSendsOnlyTheCommand) {
    constexpr char kNoGeometry[] =
        R"json("capabilities": "(prot(monitor)type(LCD)model(LAB24)vcp(04 05 06 08 10 12 14(01 05 06 08 0B) 16 18 1A DF)mccs_ver(2.2))")json";
    struct Case {
        int mode;
        std::vector<int> answers;
        size_t questions;
    };
    for (const Case& c :
         {Case{op::kAutomaticMode, {}, 0}, Case{op::kManualMode, {op::kAnswerYes, op::kAnswerYes}, 2}}) {
        SCOPED_TRACE(c.mode);
        UseCompliantWith(kNoGeometry);
        op::TestMode = c.mode;
        for (int answer : c.answers) {
            presenter_.QueueQuestionAnswer(answer);
        }
        const Outcome outcome = Run(0x04);
        EXPECT_TRUE(outcome.pass);
        EXPECT_EQ(outcome.result, "");
        EXPECT_EQ(Writes(), Strings{"0x04 1"});
        EXPECT_EQ(Questions().size(), c.questions);
        EXPECT_EQ(clock_.Sleeps(), (Sleeps{200, 1000, 100}));
    }
}

constexpr char kNoUserPreset[] =
    R"json("capabilities": "(prot(monitor)type(LCD)model(LAB24)vcp(08 14(01 05 06 08) 16 18 1A DF)mccs_ver(2.2))",
        "features": {"0x14": {"values": [1, 5, 6, 8]}})json";

TEST_F(ManualScreenTestTest, RestoreColourUsesTheUserPresetAndPutsThePresetBack) {
    struct Case {
        const char* name;
        std::string profile;  // empty: the compliant monitor without a user preset
        Strings writes;
    };
    const Case cases[] = {
        // The user preset's own gains are the ones saved and written back.
        {"user gains differ from the calibration",
         "colour-presets.json",
         {"0x14 11", "0x16 95", "0x18 94", "0x1A 93", "0x08 1", "0x16 60", "0x18 55", "0x1A 45", "0x14 5"}},
        {"no user preset listed: 0x14 is left alone but still written back",
         "",
         {"0x16 95", "0x18 94", "0x1A 93", "0x08 1", "0x16 50", "0x18 50", "0x1A 50", "0x14 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.profile.empty()) {
            UseCompliantWith(kNoUserPreset);
        } else {
            UseLab(c.profile);
        }
        const Outcome outcome = Run(0x08);
        EXPECT_TRUE(outcome.pass);
        EXPECT_EQ(outcome.result,
                  "...0x16 Red Video Gain resets to 50<BR>...0x18 Green Video Gain resets to 50<BR>"
                  "...0x1A Blue Video Gain resets to 50<BR>");
        EXPECT_EQ(Writes(), c.writes);
        EXPECT_EQ(Held(0x14), 5);
    }
}

TEST_F(ManualScreenTestTest, AutoSetupInManualModeAsksWhetherThePictureShifted) {
    const std::string horizontal = "ERROR, Horizontal Position command not functioning correctly. <BR>";
    const std::string vertical = "ERROR, Vertical Position command not functioning correctly. <BR>";
    struct Case {
        const char* name;
        std::vector<op::MessageAnswer> answers;
        bool pass;
        std::string errors;
    };
    const Case cases[] = {
        {"both shifted", {op::MessageAnswer::kYes, op::MessageAnswer::kYes}, true, ""},
        {"no horizontal shift", {op::MessageAnswer::kNo, op::MessageAnswer::kYes}, false, horizontal},
        {"neither", {op::MessageAnswer::kNo, op::MessageAnswer::kNo}, false, horizontal + vertical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseLab("compliant.json");
        op::TestMode = op::kManualMode;
        for (op::MessageAnswer answer : c.answers) {
            presenter_.QueueMessageAnswer(answer);
        }
        const Outcome outcome = Run(0x1E);
        EXPECT_EQ(outcome.pass, c.pass);
        EXPECT_EQ(outcome.result, c.errors + kGeometryResets);
        const auto boxes = presenter_.EventsOf(EventKind::kMessage);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].caption, "Horizontal Position");
        EXPECT_EQ(boxes[0].text, "Did the image shift horizontally?");
        EXPECT_EQ(boxes[1].caption, "Vertical Position");
        EXPECT_EQ(boxes[1].text, "Did the image shift vertically?");
        for (const auto& box : boxes) {
            EXPECT_EQ(box.buttons, op::MessageButtons::kYesNo);
            EXPECT_EQ(box.icon, op::MessageIcon::kQuestion);
        }
        Strings log = {"...testing 0x1E Autosetup "};
        if (c.errors.find(horizontal) != std::string::npos) {
            log.push_back(horizontal);
        }
        if (c.errors.find(vertical) != std::string::npos) {
            log.push_back(vertical);
        }
        EXPECT_EQ(presenter_.LogLines(), log);
        EXPECT_EQ(Writes(), Concat({kGeometryTestValues, {"0x1E 1"}, kGeometrySaved}));
        // Clock and phase are read back; the positions are the engineer's to judge, only the vertical
        // one is read back as well.
        EXPECT_EQ(
            clock_.Sleeps(),
            Join({Repeat(kRead, 4), {300}, Repeat(kRead, 2), {300, 300, 300}, kRead, kResetWait, Repeat(kRecheck, 4)}));
    }
}

TEST_F(ManualScreenTestTest, AutoColourSetupAlwaysAsksTheEngineer) {
    const std::pair<std::string, std::string> question = {"0x1F AutoColorSetup",
                                                          "0x1F AutoColorSetup: Did the screen change?"};
    const Strings once = {"0x14 11", "0x1F 1", "0x16 60", "0x18 55", "0x1A 45", "0x14 5"};
    struct Case {
        const char* name;
        int mode;
        std::vector<int> answers;
        bool pass;
        std::string result;
        size_t rounds;
    };
    const Case cases[] = {
        {"yes, in automatic mode too", op::kAutomaticMode, {op::kAnswerYes}, true, "", 1},
        {"no", op::kManualMode, {op::kAnswerNo}, false, "...FAILED<BR>", 1},
        {"redo runs it all again", op::kManualMode, {op::kAnswerRedo, op::kAnswerYes}, true, "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseLab("colour-presets.json");
        op::TestMode = c.mode;
        for (int answer : c.answers) {
            presenter_.QueueQuestionAnswer(answer);
        }
        const Outcome outcome = Run(0x1F);
        EXPECT_EQ(outcome.pass, c.pass);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(Questions(), (std::vector<std::pair<std::string, std::string>>(c.rounds, question)));
        Strings writes;
        Sleeps sleeps;
        for (size_t round = 0; round < c.rounds; ++round) {
            writes.insert(writes.end(), once.begin(), once.end());
            const Sleeps roundSleeps = Join({Repeat(kRead, 3), {100}, Repeat(kRead, 3), kResetWait});
            sleeps.insert(sleeps.end(), roundSleeps.begin(), roundSleeps.end());
        }
        EXPECT_EQ(Writes(), writes);
        EXPECT_EQ(clock_.Sleeps(), sleeps);
        EXPECT_EQ(Held(0x14), 5);
        // The user preset keeps the gain written back into it.
        Press(0x14, 11);
        EXPECT_EQ(Held(0x16), 60);
    }
}

TEST_F(ManualScreenTestTest, FaultyMonitorsFailForTheirOwnReasons) {
    const std::string geometryKept =
        "...FAIL, could not reset 0x0E Clock, (remained at 95)<BR>...FAIL, could not reset 0x3E Clock phase, "
        "(remained at 25)<BR>...FAIL, could not reset 0x20 Horizontal position, (remained at 93)<BR>"
        "...FAIL, could not reset 0x30 Vertical position, (remained at 92)<BR>";
    struct Case {
        const char* profile;
        uint8_t code;
        std::string result;
    };
    const Case cases[] = {
        {"faulty-restore-ignored.json", 0x05,
         "...FAIL, could not reset 0x10 Brightness/Luminance, (remained at 96)<BR>"
         "...FAIL, could not reset 0x12 Contrast, (remained at 94)<BR>"},
        {"faulty-restore-ignored.json", 0x04, geometryKept},
        {"faulty-restore-ignored.json", 0x06, geometryKept},
        {"faulty-restore-ignored.json", 0x08,
         "...FAIL, could not reset 0x16 Red Video Gain, (remained at 95)<BR>...FAIL, could not reset 0x18 Green "
         "Video Gain, (remained at 94)<BR>...FAIL, could not reset 0x1A Blue Video Gain, (remained at 93)<BR>"},
        {"faulty-restore-ignored.json", 0x1E, geometryKept},
        {"faulty-ignored-writes.json", 0x05,
         "...FAIL to get test val (exp 96, got 75), 0x10 Brightness/Luminance<BR>"
         "...0x10 Brightness/Luminance resets to 75<BR>...0x12 Contrast resets to 70<BR>"},
    };
    // An engineer who sees every change confirmed does not make up for what the read-backs found.
    for (int mode : {op::kAutomaticMode, op::kManualMode}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.profile) + " " + catalogue::Catalogue()[c.code].name.Str() + " mode " +
                         std::to_string(mode));
            UseLab(c.profile);
            op::TestMode = mode;
            presenter_.SetDefaultQuestionAnswer(op::kAnswerYes);
            presenter_.SetDefaultMessageAnswer(op::MessageAnswer::kYes);
            const Outcome outcome = Run(c.code);
            EXPECT_FALSE(outcome.pass);
            EXPECT_EQ(outcome.result, c.result);
            EXPECT_EQ(presenter_.LogLines(), Strings{"...testing " + catalogue::Catalogue()[c.code].name.Str() + " "});
        }
    }
}

TEST_F(ManualScreenTestTest, ACommandThatResetsOnZeroFailsOnlyInRobustTesting) {
    const std::string resets = "...0x10 Brightness/Luminance resets to 75<BR>...0x12 Contrast resets to 70<BR>";
    struct Case {
        bool robust;
        bool pass;
        std::string result;
    };
    const Case cases[] = {
        {false, true, resets},
        {true, false,
         "...FAIL, '0' should not have reset  (exp 96, got 75), 0x10 Brightness/Luminance<BR>"
         "...FAIL, '0' should not have reset  (exp 94, got 70), 0x12 Contrast<BR>" +
             resets},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.robust ? "robust" : "standard");
        UseLab("faulty-restore-on-zero.json");
        op::FullRangeTesting = c.robust;
        const Outcome outcome = Run(0x05);
        EXPECT_EQ(outcome.pass, c.pass);
        EXPECT_EQ(outcome.result, c.result);
    }
}

TEST_F(ManualScreenTestTest, AResetThatNeverCompletesFailsTheResetChecks) {
    for (bool robust : {false, true}) {
        SCOPED_TRACE(robust ? "robust" : "standard");
        UseLab("faulty-endless-reset.json");
        op::FullRangeTesting = robust;
        const Outcome outcome = Run(0x05);
        EXPECT_FALSE(outcome.pass);
        const std::string brightness = "...FAIL to get current 0x10 Brightness/Luminance<BR>";
        const std::string contrast = "...FAIL to get current 0x12 Contrast<BR>";
        EXPECT_EQ(outcome.result, brightness + brightness + "...0x10 Brightness/Luminance resets to 0<BR>" + contrast +
                                      contrast + "...0x12 Contrast resets to 0<BR>");
        Strings log = {"...testing 0x05 Restore factory brightness/contrast defaults ",
                       "...WARNING: Waited too long for reset to complete!!!"};
        if (robust) {
            log.push_back("...FAIL: Reset took longer than 5sec to complete!!!");
        }
        EXPECT_EQ(presenter_.LogLines(), log);
        // The controls are still put back once the monitor answers writes.
        const Strings writes = Writes();
        ASSERT_GE(writes.size(), 2u);
        EXPECT_EQ(Strings(writes.end() - 2, writes.end()), (Strings{"0x10 75", "0x12 70"}));
    }
}

TEST_F(ManualScreenTestTest, AMonitorBusyForAWhileAfterARestoreIsWaitedFor) {
    struct Case {
        int zeros;
        bool robust;
        bool slowLine;
    };
    for (const Case& c : {Case{3, false, false}, Case{6, false, false}, Case{6, true, true}}) {
        SCOPED_TRACE(std::to_string(c.zeros) + (c.robust ? " robust" : " standard"));
        UseLab("compliant.json");
        Fault("zeros " + std::to_string(c.zeros));
        op::FullRangeTesting = c.robust;
        const Outcome outcome = Run(0x06);
        EXPECT_TRUE(outcome.pass) << outcome.result;
        EXPECT_EQ(outcome.result, kGeometryResets);
        // Each reply of zeros is one more poll, one second apart.
        const Sleeps sleeps = clock_.Sleeps();
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 1000u), (c.robust ? 1 : 0) + c.zeros + 1);
        const Strings log = presenter_.LogLines();
        EXPECT_EQ(std::count(log.begin(), log.end(), "...FAIL: Reset took longer than 5sec to complete!!!"),
                  c.slowLine ? 1 : 0);
    }
}

TEST_F(ManualScreenTestTest, AFailedFirstReadEndsTheTestBeforeAnythingIsWritten) {
    UseLab("compliant.json");
    Fault("silent 0x10");
    const Outcome outcome = Run(0x05);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(outcome.result, "...FAIL to get current 0x10 Brightness/Luminance<BR>");
    EXPECT_TRUE(Writes().empty());
}

TEST_F(ManualScreenTestTest, AGainThatCannotBeReadIsNotWrittenBack) {
    UseLab("colour-presets.json");
    Fault("silent 0x18");
    presenter_.QueueQuestionAnswer(op::kAnswerYes);
    const Outcome outcome = Run(0x1F);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(outcome.result,
              "...FAIL to get current 0x18 Green Video Gain<BR>...FAIL to get current 0x18 Green "
              "Video Gain<BR>");
    EXPECT_EQ(Writes(), (Strings{"0x14 11", "0x1F 1", "0x16 60", "0x1A 45", "0x14 5"}));
}

TEST_F(ManualScreenTestTest, OtherCodesAreNotTested) {
    UseLab("compliant.json");
    for (uint8_t code : {0x07, 0x0A}) {
        SCOPED_TRACE(code);
        presenter_.ClearEvents();
        const Outcome outcome = Run(code);
        EXPECT_FALSE(outcome.pass);
        EXPECT_EQ(outcome.result, "** Not tested yet **<BR>");
        EXPECT_EQ(presenter_.LogLines(), Strings{"...testing " + catalogue::Catalogue()[code].name.Str() + " "});
    }
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
}  // namespace kestrova::engine
