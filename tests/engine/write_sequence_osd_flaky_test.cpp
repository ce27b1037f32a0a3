// The OSD sequence (0xCA) against a monitor that answers the procedure's first read and then stops
// answering: the state put back is one the monitor reported, never what an unanswered read left.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/discrete_control_test.h"
#include "engine_fixture.h"

namespace kestrova::engine {
namespace {

using testing::Monitor;
using testing::ReadOutcome;
using testing::ScriptedRead;

class OsdFlakyMonitorTest : public testing::EngineTest {};

TEST_F(OsdFlakyMonitorTest, AnUnansweredSecondReadPutsBackTheStateOfTheFirst) {
    const ScriptedRead enabled{ReadOutcome::kAnswer, 0, 2, 2};
    const ScriptedRead silent{ReadOutcome::kNoAnswer};
    struct Case {
        const char* what;
        int mode;
        std::vector<ScriptedRead> reads;  // after these, the monitor answers with what it holds
        bool pass;
        std::string lines;
        std::vector<std::string> exchanges;
    };
    // ReadVcp tries three times before it gives up on a read.
    const Case cases[] = {
        {"silent once, then answering",
         op::kAutomaticMode,
         {enabled, silent, silent, silent},
         true,
         "",
         {"r 0xCA", "r 0xCA", "r 0xCA", "r 0xCA", "w 0xCA 1", "r 0xCA", "w 0xCA 2", "r 0xCA", "w 0xCA 2"}},
        // Left disabled, the engineer would lose the menu: the state found at the start goes back.
        {"silent from then on",
         op::kAutomaticMode,
         {enabled, silent, silent, silent, silent, silent, silent},
         false,
         "...FAILED, could not read after set to 1 <BR>",
         {"r 0xCA", "r 0xCA", "r 0xCA", "r 0xCA", "w 0xCA 1", "r 0xCA", "r 0xCA", "r 0xCA", "w 0xCA 2"}},
        {"silent from then on, with an engineer",
         op::kManualMode,
         {enabled, silent, silent, silent, silent, silent, silent},
         false,
         "...FAILED, could not read after set to 1 <BR>",
         {"r 0xCA", "r 0xCA", "r 0xCA", "r 0xCA", "w 0xCA 1", "r 0xCA", "r 0xCA", "r 0xCA", "w 0xCA 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        op::TestMode = c.mode;
        Monitor().controls[0xCA] = {0, 2, 2};
        Monitor().script[0xCA] = std::deque<ScriptedRead>(c.reads.begin(), c.reads.end());
        Monitor().exchanges.clear();
        ResultText result;
        EXPECT_EQ(DiscreteControlTest(0xCA, result), c.pass);
        EXPECT_EQ(result, "Initial, min=0 max=2 cur=2<BR>" + c.lines);
        EXPECT_EQ(Monitor().exchanges, c.exchanges);
        EXPECT_EQ(Monitor().controls[0xCA].current, 2u);
        EXPECT_TRUE(presenter_.Messages().empty());
    }
}

}  // namespace
}  // namespace kestrova::engine
