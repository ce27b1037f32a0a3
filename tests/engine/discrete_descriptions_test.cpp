// The values that are described or shown to the engineer: input source, sub-pixel layout, display
// technology, controller type, and the notes of the active control and auto pivot.
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class DiscreteDescriptionsTest : public testing::DiscreteLabTest {
  protected:
    DiscreteDescriptionsTest() { UseLab("compliant.json"); }

    // The handler's lines after the first read's line.
    std::string Described(uint8_t code, int value, bool& pass) {
        Press(code, value);
        const testing::Outcome outcome = Run(code);
        pass = outcome.pass;
        const size_t first = outcome.result.find("<BR>");
        return first == std::string::npos ? outcome.result : outcome.result.substr(first + 4);
    }
};

TEST_F(DiscreteDescriptionsTest, InputSourceIsOnlyJudgedByTheEngineer) {
    const testing::Outcome automatic = Run(0x60);
    EXPECT_TRUE(automatic.pass);
    EXPECT_EQ(automatic.result, "Initial, min=0 max=15 cur=3<BR>NOTE: Only tested using manual test.<BR>");

    Manual();
    struct Case {
        int value;
        op::MessageAnswer answer;
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {3, op::MessageAnswer::kYes, "Digital Video (TMDS) 1", "Input source matches returned value. <BR>"},
        {5, op::MessageAnswer::kYes, " Composite Video 1", "Input source matches returned value. <BR>"},
        {29, op::MessageAnswer::kYes, "Component Video 2", "Input source matches returned value. <BR>"},
        {15, op::MessageAnswer::kNo, "UNKNOWN", "ERROR, Input source does not match returned value. <BR>"},
        {0, op::MessageAnswer::kNo, "UNKNOWN", "ERROR, Input source does not match returned value. <BR>"},
    };
    for (const Case& c : cases) {
        presenter_.ClearEvents();
        presenter_.QueueMessageAnswer(c.answer);
        bool pass = false;
        EXPECT_EQ(Described(0x60, c.value, pass), c.line) << c.value;
        EXPECT_EQ(pass, c.answer == op::MessageAnswer::kYes) << c.value;
        const auto boxes = presenter_.EventsOf(op::testing::EventKind::kMessage);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Input Source");
        EXPECT_EQ(boxes[0].text, std::string("Does the input source match the returned value: ") + c.name + "?");
        EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kYesNo);
        EXPECT_EQ(boxes[0].icon, op::MessageIcon::kNone);
        // The engineer's verdict is also put in the log list.
        EXPECT_EQ(presenter_.LogLines().at(1), c.line);
    }
    EXPECT_TRUE(Writes().empty());
}

TEST_F(DiscreteDescriptionsTest, SubPixelLayoutJudgesTheValue) {
    struct Case {
        int value;
        bool pass;
        const char* line;
    };
    const Case cases[] = {
        {0, true, "0x00 - Layout is not defined.<BR>"},
        {4, true, "0x04 - Blue/Green/Red  horizontal stripe.<BR>"},
        {8, true, "0x08 - Mosaic.<BR>"},
        {9, false, "FAIL - 0x9 - Layout UNKNOWN valued.<BR>"},
        {0x1F, false, "FAIL - 0x1f - Layout UNKNOWN valued.<BR>"},
    };
    for (const Case& c : cases) {
        bool pass = !c.pass;
        EXPECT_EQ(Described(0xB2, c.value, pass), c.line) << c.value;
        EXPECT_EQ(pass, c.pass) << c.value;
    }
}

TEST_F(DiscreteDescriptionsTest, TechnologyAndControllerAreDescribedAndNeverFail) {
    struct Case {
        uint8_t code;
        int value;
        const char* line;
    };
    const Case cases[] = {
        {0xB6, 1, "0x01 - CRT (shadowmask)<BR>"},
        {0xB6, 8, "0x08 - MEM<BR>"},
        {0xB6, 0, "0x0 - additional<BR>"},
        {0xB6, 9, "0x9 - additional<BR>"},
        {0xB6, 0x10, "0x10 - additional<BR>"},
        {0xC8, 0x0D, "0x0D - STMicroelectronics<BR>"},
        {0xC8, 0x13, "0x13 - STK<BR>"},
        {0xC8, 0xFF, "0xFF - Not defined<BR>"},
        // The whole value counts, not only its low byte.
        {0xC8, 0x105, "0x105 - additional<BR>"},
        {0xC8, 0x14, "0x14 - additional<BR>"},
    };
    for (const Case& c : cases) {
        bool pass = false;
        EXPECT_EQ(Described(c.code, c.value, pass), c.line) << std::hex << int(c.code) << " " << c.value;
        EXPECT_TRUE(pass) << std::hex << int(c.code) << " " << c.value;
    }
}

TEST_F(DiscreteDescriptionsTest, ActiveControlAndAutoPivotOnlyPointElsewhere) {
    for (int mode : {op::kAutomaticMode, op::kManualMode}) {
        op::TestMode = mode;
        bool pass = false;
        EXPECT_EQ(Described(0x52, 0x10, pass), "Tested with 0x02 New Control Value.<BR>");
        EXPECT_TRUE(pass);
        EXPECT_EQ(Described(0xAA, 2, pass), "NOTE: Only tested using manual test.<BR>");
        EXPECT_TRUE(pass);
    }
    EXPECT_TRUE(presenter_.Messages().empty());
}

}  // namespace
}  // namespace kestrova::engine
