// The read-only checks: the colour temperature increment (range, and a write that must not take),
// usage time, the application enable key against the locking code, and the VCP version.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class DiscreteReadOnlyChecksTest : public testing::DiscreteLabTest {};

TEST_F(DiscreteReadOnlyChecksTest, IncrementIsJudgedByRangeAndRefusesAWrite) {
    struct Case {
        int value;
        bool pass;
        const char* lines;
    };
    const Case cases[] = {
        {1, true, ""},
        {5000, true, ""},
        // Out of range fails, and the write is still tried (and refused).
        {0, false, "FAIL - exp 1-5000, got 0<BR>"},
        {5001, false, "FAIL - exp 1-5000, got 5001<BR>"},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Press(0x0B, c.value);
        const testing::Outcome outcome = Run(0x0B);
        EXPECT_EQ(outcome.pass, c.pass) << c.value;
        EXPECT_EQ(outcome.result, "Initial, min=0 max=5000 cur=" + std::to_string(c.value) + "<BR>" + c.lines);
        EXPECT_EQ(Writes(), std::vector<std::string>{"0x0B " + std::to_string(c.value + 50) + " ignored"});
        EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{100});
        EXPECT_EQ(Held(0x0B), c.value);
    }
    // A monitor that takes the write fails, and the control is not written back.
    UseLab("faulty-ro-accepts-writes.json");
    const testing::Outcome outcome = Run(0x0B);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=5000 cur=50<BR>FAIL - exp 50, got 100<BR>");
    EXPECT_EQ(Writes(), std::vector<std::string>{"0x0B 100"});
    EXPECT_EQ(Held(0x0B), 100);
}

TEST_F(DiscreteReadOnlyChecksTest, IncrementThatCannotBeReadBackIsNotHeldAgainstTheMonitor) {
    UseLab("faulty-ro-accepts-writes.json");
    FaultAfterWait(1, "silent 0x0B");
    const testing::Outcome outcome = Run(0x0B);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=5000 cur=50<BR>");
}

TEST_F(DiscreteReadOnlyChecksTest, UsageTimeIsShownOrConfirmedByTheEngineer) {
    UseLab("compliant.json");
    const std::string initial = "Initial, min=0 max=65535 cur=1234<BR>";
    const testing::Outcome automatic = Run(0xC0);
    EXPECT_TRUE(automatic.pass);
    EXPECT_EQ(automatic.result, initial + "Usage Time: 0x04D2, 1234 hrs<BR>");
    EXPECT_TRUE(presenter_.Messages().empty());

    Manual();
    struct Case {
        op::MessageAnswer answer;
        const char* line;
    };
    for (const Case& c : {Case{op::MessageAnswer::kYes, "Usage Time: 0x04D2, 1234 hrs<BR>"},
                          Case{op::MessageAnswer::kNo, "FAILED - Usage Time: 0x04D2, 1234 hrs incorrect<BR>"}}) {
        presenter_.ClearEvents();
        presenter_.QueueMessageAnswer(c.answer);
        const testing::Outcome outcome = Run(0xC0);
        EXPECT_EQ(outcome.pass, c.answer == op::MessageAnswer::kYes);
        EXPECT_EQ(outcome.result, initial + c.line);
        const auto boxes = presenter_.EventsOf(op::testing::EventKind::kMessage);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "0xC0 Display Usage Time");
        EXPECT_EQ(boxes[0].text, "0xC0 Display Usage Time: Has the monitor been on 1234 hours?");
        EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kYesNo);
    }
}

TEST_F(DiscreteReadOnlyChecksTest, ApplicationKeyMatchesTheLockingCodeOnItsFirstTwoCharacters) {
    struct Case {
        const char* lockingCode;
        int key;
        bool pass;
    };
    const Case cases[] = {
        {"ab", 0xAB, true},  {"AB", 0xAB, true}, {"aB", 0xAB, true}, {"Ab", 0xAB, true},
        {"ab7", 0xAB, true},  // only two characters count
        {"a", 0xA, true},    {"A", 0xA, true},   {"ab", 0xA, false}, {"a", 0xAB, false},
        {"ac", 0xAB, false}, {"", 0x5A, false},  {"5a", 0x5A, true}, {"0", 0, true},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Press(0xC6, c.key);
        op::CheckoffInfo.checkoffLockingCode = c.lockingCode;
        const testing::Outcome outcome = Run(0xC6);
        char expected[128];
        std::snprintf(expected, sizeof(expected), "Initial, min=0 max=65535 cur=%d<BR>", c.key);
        std::string lines = expected;
        if (!c.pass) {
            std::snprintf(expected, sizeof(expected), "FAIL - exp %s, got 0x%x<BR>", c.lockingCode, c.key);
            lines += expected;
        }
        EXPECT_EQ(outcome.pass, c.pass) << c.lockingCode << " " << std::hex << c.key;
        EXPECT_EQ(outcome.result, lines) << c.lockingCode;
    }
}

TEST_F(DiscreteReadOnlyChecksTest, VersionMustBeTwoOrThree) {
    struct Case {
        int value;
        bool pass;
        const char* lines;
    };
    const Case cases[] = {
        {0x0202, true, "VCP Version: 2 Rev:2<BR>"},
        // The lab's capabilities say mccs_ver(2.2): a monitor that reports another version disagrees.
        {0x0301, false, "VCP Version: 3 Rev:1<BR>FAIL - the capabilities say mccs_ver(2.2)<BR>"},
        {0x0100, false, "VCP Version: 1 Rev:0<BR>FAIL - Version is not 2.x or 3.x, unknown<BR>"},
        {0x0400, false, "VCP Version: 4 Rev:0<BR>FAIL - Version is not 2.x or 3.x, unknown<BR>"},
        {0x0022, false, "VCP Version: 0 Rev:34<BR>FAIL - Version is not 2.x or 3.x, unknown<BR>"},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Press(0xDF, c.value);
        const testing::Outcome outcome = Run(0xDF);
        EXPECT_EQ(outcome.pass, c.pass) << std::hex << c.value;
        EXPECT_EQ(outcome.result, "Initial, min=0 max=65535 cur=" + std::to_string(c.value) + "<BR>" + c.lines);
    }
}

}  // namespace
}  // namespace kestrova::engine
