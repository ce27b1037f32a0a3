// The OSD sequence (0xCA): disabled and enabled again, judged by read-back or by the engineer, and
// the state found at the start put back.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class OsdSequenceTest : public testing::DiscreteLabTest {
  protected:
    static std::string Lines(const testing::Outcome& outcome) {
        return outcome.result.substr(outcome.result.find("<BR>") + 4);
    }
};

TEST_F(OsdSequenceTest, AutomaticReadsBackBothStates) {
    struct Case {
        const char* what;
        const char* fault;
        int faultAfterWait;
        const char* lines;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"compliant", "", 0, "", {"0xCA 1", "0xCA 2", "0xCA 2"}},
        {"ignores writes", "ignore 0xCA", 0, "...FAILED, set 1, got 2<BR>", {"0xCA 1 ignored", "0xCA 2 ignored"}},
        {"silent after disabling",
         "silent 0xCA",
         1,
         "...FAILED, could not read after set to 1 <BR>",
         {"0xCA 1", "0xCA 2"}},
        {"silent after enabling",
         "silent 0xCA",
         2,
         "...FAILED, could not read after set to 2 <BR>",
         {"0xCA 1", "0xCA 2", "0xCA 2"}},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        if (*c.fault != '\0') {
            if (c.faultAfterWait == 0) {
                Fault(c.fault);
            } else {
                FaultAfterWait(c.faultAfterWait, c.fault);
            }
        }
        const testing::Outcome outcome = Run(0xCA);
        EXPECT_EQ(outcome.pass, std::string(c.lines).empty()) << c.what;
        EXPECT_EQ(Lines(outcome), c.lines) << c.what;
        EXPECT_EQ(Writes(), c.writes) << c.what;
        EXPECT_TRUE(presenter_.Messages().empty());
    }
}

TEST_F(OsdSequenceTest, ManualAsksTheEngineerAboutEachState) {
    struct Case {
        op::MessageAnswer disabled;
        op::MessageAnswer enabled;
        const char* lines;
    };
    const Case cases[] = {
        {op::MessageAnswer::kYes, op::MessageAnswer::kYes, ""},
        {op::MessageAnswer::kNo, op::MessageAnswer::kYes, "...FAILED, could not disable OSD <BR>"},
        {op::MessageAnswer::kYes, op::MessageAnswer::kNo, "...FAILED, could not enable OSD <BR>"},
        {op::MessageAnswer::kNo, op::MessageAnswer::kNo,
         "...FAILED, could not disable OSD <BR>...FAILED, could not enable OSD <BR>"},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Manual();
        presenter_.QueueMessageAnswer(c.disabled);
        presenter_.QueueMessageAnswer(c.enabled);
        const testing::Outcome outcome = Run(0xCA);
        EXPECT_EQ(outcome.pass, std::string(c.lines).empty()) << c.lines;
        EXPECT_EQ(Lines(outcome), c.lines);
        EXPECT_EQ(presenter_.Messages(), (std::vector<std::string>{"0xCA OSD: Is the On Screen Display disabled?",
                                                                   "0xCA OSD: Is the On Screen Display enabled?"}));
        for (const auto& box : presenter_.EventsOf(op::testing::EventKind::kMessage)) {
            EXPECT_EQ(box.caption, "0xCA OSD");
            EXPECT_EQ(box.buttons, op::MessageButtons::kYesNo);
        }
        EXPECT_EQ(Writes(), (std::vector<std::string>{"0xCA 1", "0xCA 2", "0xCA 2"}));
    }
    // No answer after enabling: the engineer is not asked about it.
    UseLab("compliant.json");
    Manual();
    presenter_.QueueMessageAnswer(op::MessageAnswer::kYes);
    FaultAfterWait(2, "silent 0xCA");
    const testing::Outcome outcome = Run(0xCA);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(presenter_.Messages().size(), 1u);
}

TEST_F(OsdSequenceTest, PutsBackWhatTheMonitorShowedAtTheStart) {
    // Started disabled, the OSD is left disabled.
    UseLab("compliant.json");
    Press(0xCA, 1);
    EXPECT_TRUE(Run(0xCA).pass);
    EXPECT_EQ(Held(0xCA), 1);
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{64, 64, 64}));
}

}  // namespace
}  // namespace kestrova::engine
