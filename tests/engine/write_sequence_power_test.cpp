// The power-mode sequence (0xD6): the reported state and range in Automatic mode, and in Manual mode
// each saving state held for 2000 ms, switched back on and confirmed by the engineer.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class PowerModeSequenceTest : public testing::DiscreteLabTest {};

TEST_F(PowerModeSequenceTest, AutomaticJudgesTheReportedStateAndRange) {
    struct Case {
        const char* what;
        int current;
        const char* values;
        const char* lines;
    };
    const Case cases[] = {
        {"on, up to 5", 1, "[1, 2, 3, 4, 5]", ""},
        {"on, up to 4", 1, "[1, 4]", ""},
        {"off", 4, "[1, 4, 5]", "FAIL - expect 0x01 (Power On), got 4<BR>"},
        {"up to 3", 1, "[1, 2, 3]", "FAIL - expect 0 to (4 or 5), got max of 3<BR>"},
        {"standby, up to 6", 2, "[1, 2, 6]",
         "FAIL - expect 0x01 (Power On), got 2<BR>FAIL - expect 0 to (4 or 5), got max of 6<BR>"},
    };
    for (const Case& c : cases) {
        UseCompliantWith(std::string(R"("features": {"0xD6": {"current": )") + std::to_string(c.current) +
                         R"(, "values": )" + c.values + "}}");
        const testing::Outcome outcome = Run(0xD6);
        EXPECT_EQ(outcome.pass, std::string(c.lines).empty()) << c.what;
        EXPECT_EQ(outcome.result.substr(outcome.result.find("<BR>") + 4), c.lines) << c.what;
        // Nothing is switched without an engineer to watch the screen.
        EXPECT_TRUE(Writes().empty()) << c.what;
        EXPECT_TRUE(clock_.Sleeps().empty()) << c.what;
    }
}

TEST_F(PowerModeSequenceTest, ManualHoldsEachSavingStateAndAsksAboutIt) {
    struct Case {
        std::vector<op::MessageAnswer> answers;
        const char* lines;
    };
    using op::MessageAnswer;
    const Case cases[] = {
        {{MessageAnswer::kYes, MessageAnswer::kYes, MessageAnswer::kYes}, ""},
        {{MessageAnswer::kNo, MessageAnswer::kYes, MessageAnswer::kYes},
         "...FAILED, could not control power settings with 0002 <BR>"},
        // The line names the state the engineer saw no change for.
        {{MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kYes},
         "...FAILED, could not control power settings with 0003 <BR>"},
        {{MessageAnswer::kNo, MessageAnswer::kNo, MessageAnswer::kNo},
         "...FAILED, could not control power settings with 0002 <BR>...FAILED, could not control power settings "
         "with 0003 <BR>...FAILED, could not control power settings with 0004 <BR>"},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Manual();
        for (MessageAnswer answer : c.answers) {
            presenter_.QueueMessageAnswer(answer);
        }
        const testing::Outcome outcome = Run(0xD6);
        EXPECT_EQ(outcome.pass, std::string(c.lines).empty()) << c.lines;
        EXPECT_EQ(outcome.result, std::string("Initial, min=0 max=5 cur=1<BR>") + c.lines);
        EXPECT_EQ(presenter_.Messages(),
                  std::vector<std::string>(3, "0xD6 Power Mode: Did you see a change to the screen?"));
        for (const auto& box : presenter_.EventsOf(op::testing::EventKind::kMessage)) {
            EXPECT_EQ(box.caption, "0xD6 Power Mode");
            EXPECT_EQ(box.buttons, op::MessageButtons::kYesNo);
        }
        EXPECT_EQ(Writes(), (std::vector<std::string>{"0xD6 2", "0xD6 1", "0xD6 3", "0xD6 1", "0xD6 4", "0xD6 1"}));
        EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{2000, 2000, 2000}));
        EXPECT_EQ(Held(0xD6), 1);
    }
}

TEST_F(PowerModeSequenceTest, ManualSwitchesAMonitorFoundInStandbyOnFirst) {
    UseLab("compliant.json");
    Press(0xD6, 2);
    Manual();
    presenter_.SetDefaultMessageAnswer(op::MessageAnswer::kYes);
    const testing::Outcome outcome = Run(0xD6);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(Writes(),
              (std::vector<std::string>{"0xD6 1", "0xD6 2", "0xD6 1", "0xD6 3", "0xD6 1", "0xD6 4", "0xD6 1"}));
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{2000, 2000, 2000}));
    EXPECT_EQ(Held(0xD6), 1);
}

}  // namespace
}  // namespace kestrova::engine
