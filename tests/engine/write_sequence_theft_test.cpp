// The theft deterrence codes: 0xFA must start disabled, and 0xFE runs the functional test that
// enables and disables theft mode with the test PIN, 6000 ms per mode change.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class TheftSequenceTest : public testing::DiscreteLabTest {
  protected:
    static std::string Lines(const testing::Outcome& outcome) {
        return outcome.result.substr(outcome.result.find("<BR>") + 4);
    }
};

const std::vector<std::string> kCycle = {"0xFB 1",     "0xFC 15143", "0xFD 217", "0xFA 1",
                                         "0xFC 15143", "0xFD 217",   "0xFA 0"};
const char kEnabledMode[] = "Entered Theft Enabled mode OK<BR>";
const char kEnabledState[] = "Entered Theft Enabled state OK<BR>";
const char kDisabledMode[] = "Entered Theft Disabled mode OK<BR>";
const char kDisabledState[] = "Entered Theft Disabled state OKx<BR>";

TEST_F(TheftSequenceTest, ModeMustStartDisabledAndIsNotTouched) {
    for (int mode : {op::kAutomaticMode, op::kManualMode}) {
        UseLab("compliant.json");
        op::TestMode = mode;
        EXPECT_TRUE(Run(0xFA).pass);
        UseCompliantWith(R"("features": {"0xFA": {"current": 1}})");
        op::TestMode = mode;
        const testing::Outcome outcome = Run(0xFA);
        EXPECT_FALSE(outcome.pass);
        EXPECT_EQ(Lines(outcome),
                  "FAIL - expect 0x00 (Disabled), got 1<BR>Needs to start in Disabled mode for Theft.<BR>");
        EXPECT_TRUE(Writes().empty());
        EXPECT_EQ(Held(0xFA), 1);
    }
}

TEST_F(TheftSequenceTest, CompliantMonitorEntersAndLeavesTheftModeWithTheTestPin) {
    UseLab("compliant.json");
    Press(0xFB, 7);
    const testing::Outcome outcome = Run(0xFE);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(Lines(outcome), std::string(kEnabledMode) + kEnabledState + kDisabledMode + kDisabledState);
    EXPECT_EQ(Writes(), kCycle);
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{100, 100, 100, 6000, 30, 30, 100, 100, 6000, 30, 30}));
    // Left disabled, with the timeout at 1.
    EXPECT_EQ(Held(0xFA), 0);
    EXPECT_EQ(Held(0xFB), 1);
}

TEST_F(TheftSequenceTest, EachFaultFailsItsHalfAndBothHalvesAlwaysRun) {
    struct Case {
        const char* what;
        const char* profile;  // a lab profile, or empty for the compliant one with `patch`
        const char* patch;
        const char* fault;
        std::string lines;
    };
    const Case cases[] = {
        {"ignores the mode writes", "compliant.json", "", "ignore 0xFA",
         std::string("ERROR, cound not enter Theft Enabled mode, exp 0x01, got 0x0<BR>") + kEnabledState +
             kDisabledMode + kDisabledState},
        {"theft state already raised", "", R"("features": {"0xFE": {"current": 1}})", "",
         std::string(kEnabledMode) + "ERROR, cound not enter Theft Enabled state, exp 0x00, got 0x1<BR>" +
             kDisabledMode + kDisabledState},
        {"state code silent", "compliant.json", "", "silent 0xFE",
         std::string(kEnabledMode) + kEnabledState + kDisabledMode + kDisabledState},
        {"takes the PIN with its words swapped", "faulty-theft-swapped-pin.json", "", "",
         std::string(kEnabledMode) + kEnabledState +
             "ERROR, cound not enter Theft Disabled mode, exp 0x00, got 0x1<BR>" + kDisabledState},
        {"no theft mode at all", "", R"("features": {"0xFA": null})", "",
         std::string("ERROR, cound not enter Theft Enabled mode, exp 0x01, got 0x0<BR>") + kEnabledState +
             kDisabledMode + kDisabledState},
    };
    for (const Case& c : cases) {
        if (*c.profile != '\0') {
            UseLab(c.profile);
        } else {
            UseCompliantWith(c.patch);
        }
        if (*c.fault != '\0') {
            FaultAfterWait(1, c.fault);
        }
        const testing::Outcome outcome = Run(0xFE);
        const bool clean = c.lines == std::string(kEnabledMode) + kEnabledState + kDisabledMode + kDisabledState;
        EXPECT_EQ(outcome.pass, clean) << c.what;
        EXPECT_EQ(Lines(outcome), c.lines) << c.what;
        EXPECT_EQ(Writes().size(), kCycle.size()) << c.what;
    }
}

TEST_F(TheftSequenceTest, AMonitorThatTakesAnyPinPassesTheCorrectPinCycle) {
    // The sequence only ever gives the test PIN; a wrong-PIN check belongs to the manual theft test.
    UseLab("faulty-theft-any-pin.json");
    const testing::Outcome outcome = Run(0xFE);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(Lines(outcome), std::string(kEnabledMode) + kEnabledState + kDisabledMode + kDisabledState);
    EXPECT_EQ(Held(0xFA), 0);
}

}  // namespace
}  // namespace kestrova::engine
