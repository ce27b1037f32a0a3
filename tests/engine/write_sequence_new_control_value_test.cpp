// The new-control-value flag (0x02) with the active-control stack (0x52): the engineer changing
// brightness on the panel while the OK box is shown, and the Automatic walk of what is pending.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class NewControlValueTest : public testing::DiscreteLabTest {
  protected:
    // The engineer at the monitor: changes `pressed_` on the panel when the OK box of 0x02 appears.
    NewControlValueTest() {
        presenter_.OnMessage("set the brightness", [this] {
            if (pressed_ != 0) {
                Press(pressed_, 40);
            }
        });
    }
    void WhenAskedPress(uint8_t code) { pressed_ = code; }

    uint8_t pressed_ = 0;
};

const std::string kInitial = "Initial, min=0 max=2 cur=1<BR>";

TEST_F(NewControlValueTest, ManualPassesWhenThePanelChangeReachesTheStack) {
    UseLab("compliant.json");
    Manual();
    WhenAskedPress(0x10);
    const testing::Outcome outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass) << outcome.result;
    EXPECT_EQ(outcome.result, kInitial);
    const auto boxes = presenter_.EventsOf(op::testing::EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "VCP 0x02 NewControlValue");
    EXPECT_EQ(boxes[0].text, "Please use the menu to set the brightness to a lower value.");
    EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kOk);
    EXPECT_EQ(boxes[0].icon, op::MessageIcon::kNone);
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{50, 50}));
    // The flag is left raised: nothing was written.
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(Held(0x02), 2);
}

TEST_F(NewControlValueTest, ManualClearsChangesMadeBeforeTheTest) {
    UseLab("compliant.json");
    Manual();
    Press(0x12, 60);  // pending before the test starts
    WhenAskedPress(0x10);
    const testing::Outcome outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass) << outcome.result;
    EXPECT_EQ(outcome.result, "Initial, min=0 max=2 cur=2<BR>");
    EXPECT_EQ(Writes(), std::vector<std::string>{"0x02 1"});
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{50, 50, 50, 50}));
}

TEST_F(NewControlValueTest, ManualFailuresEndTheSequence) {
    struct Case {
        const char* what;
        const char* patch;  // laid over the compliant monitor
        const char* fault;
        int pendingBefore;  // a panel change before the test, 0 for none
        uint8_t pressed;    // what the engineer changes when asked, 0 for nothing
        bool unlist52;
        const char* lines;
        size_t boxes;
    };
    const Case cases[] = {
        {"engineer does nothing", "", "", 0, 0, false, "FAIL -  Expected 0x02, got 1, from stack<BR>", 1},
        {"nothing reaches the flag", R"("behaviours": [])", "", 0, 0x10, false,
         "FAIL -  Expected 0x02, got 1, from stack<BR>", 1},
        {"flag cannot be cleared", "", "ignore 0x02", 0x12, 0x10, false, "FAIL - Expected 0x01, got 2, from stack<BR>",
         0},
        {"flag out of range", R"("features": {"0x02": {"current": 3, "values": [1, 2, 3]}})", "", 0, 0x10, false,
         "FAIL - Value out of range, got 3, from stack<BR>", 0},
        {"0x52 not listed", "", "", 0, 0x10, true, "FAIL -  0x52 Not in Capability String<BR>", 1},
        {"contrast changed instead", "", "", 0, 0x12, false, "FAIL -  Read 0x52, expected 0x10, got 18, from stack<BR>",
         1},
    };
    for (const Case& c : cases) {
        if (*c.patch == '\0') {
            UseLab("compliant.json");
        } else {
            UseCompliantWith(c.patch);
        }
        Manual();
        if (*c.fault != '\0') {
            Fault(c.fault);
        }
        if (c.pendingBefore != 0) {
            Press(static_cast<uint8_t>(c.pendingBefore), 60);
        }
        if (c.unlist52) {
            catalogue::Catalogue()[0x52].inCaps = false;
        }
        presenter_.ClearEvents();
        WhenAskedPress(c.pressed);
        const testing::Outcome outcome = Run(0x02);
        const bool expectPass = std::string(c.lines).empty();
        EXPECT_EQ(outcome.pass, expectPass) << c.what;
        EXPECT_EQ(outcome.result.substr(outcome.result.find("<BR>") + 4), expectPass ? "" : c.lines) << c.what;
        EXPECT_EQ(presenter_.Messages().size(), c.boxes) << c.what;
    }
}

TEST_F(NewControlValueTest, AutomaticReadsWhatIsPendingUntilTheFlagDrops) {
    UseLab("compliant.json");
    // Nothing pending: nothing to read, nothing appended.
    testing::Outcome outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, kInitial);
    EXPECT_TRUE(Writes().empty());

    Press(0x10, 40);
    Press(0x12, 60);
    outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result,
              "Initial, min=0 max=2 cur=2<BR>...got 16, from stack<BR>...got 2, from kVCPx02_NewControlValue<BR>...got "
              "18, from stack<BR>...got 2, from kVCPx02_NewControlValue<BR>...got 0, from stack<BR>...got 1, from "
              "kVCPx02_NewControlValue<BR>");
    EXPECT_EQ(Writes(), std::vector<std::string>{"0x02 1"});
    EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{64});
    EXPECT_TRUE(presenter_.Messages().empty());
}

TEST_F(NewControlValueTest, AutomaticGivesUpOnAStackThatNeverEmpties) {
    // Without the behaviour the monitor holds both values still: 0x02 stays 2, 0x52 keeps answering 0x10.
    UseCompliantWith(R"("behaviours": [], "features": {"0x02": {"current": 2}, "0x52": {"current": 16}})");
    const testing::Outcome outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass);
    std::string rounds;
    for (int i = 0; i < 10; ++i) {
        rounds += "...got 16, from stack<BR>...got 2, from kVCPx02_NewControlValue<BR>";
    }
    EXPECT_EQ(outcome.result, "Initial, min=0 max=2 cur=2<BR>" + rounds);
    EXPECT_TRUE(Writes().empty());
}

TEST_F(NewControlValueTest, AutomaticLeavesThePendingChangesWhenTheStackIsNotListed) {
    UseLab("compliant.json");
    Press(0x10, 40);
    catalogue::Catalogue()[0x52].inCaps = false;
    const testing::Outcome outcome = Run(0x02);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(outcome.result, "Initial, min=0 max=2 cur=2<BR>");
    EXPECT_EQ(Held(0x02), 2);
}

}  // namespace
}  // namespace kestrova::engine
