#include "engine/theft_deterrence_test.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "plugin_rows.h"
#include "plugin_trace_clock.h"
#include "report/html_templates.h"
#include "report/report_body.h"

namespace kestrova::engine {
namespace {

using op::MessageAnswer;
using op::testing::EventKind;
using testing::Monitor;
using testing::PluginRowCells;
using testing::PluginRows;
using testing::ReadOutcome;
using testing::ScriptedRead;

// Each step reads one code once: the code and what a compliant monitor answers.
struct StepRead {
    uint32_t code;
    uint32_t value;
};
constexpr std::array<StepRead, 13> kCompliantReads = {{
    {0xFA, 1},
    {0xFB, 1},
    {0xFC, 0},
    {0xFD, 0},
    {0xFE, 0},
    {0xFA, 1},
    {0xFA, 1},
    {0xFB, 1},
    {0xFE, 1},
    {0xFA, 1},
    {0xFE, 1},
    {0xFA, 0},
    {0xFE, 0},
}};

const std::vector<std::string> kStepCodes = {
    "0xFB, 0xFC, 0xFD, 0xFA",
    "0xFB",
    "0xFC",
    "0xFD",
    "0xFE",
    "0xFC, 0xFD, 0xFA",
    "0xFA",
    "0xFB",
    "0xFE",
    "0xFC, 0xFD, 0xFA",
    "0xFE",
    "0xFC, 0xFD, 0xFA",
    "0xFE",
};

const std::vector<std::string> kOkLines = {
    "Entered Theft Enabled mode. OK<BR>",
    "Theft Access Control Timeout set correctly. OK<BR>",
    "Low byte of Theft Access Control Pin is unreadable. OK<BR>",
    "High byte of Theft Access Control Pin is unreadable. OK<BR>",
    "Theft state has not been triggered. OK<BR>",
    "Unable to disable Theft Enabled mode with wrong pin. OK<BR>",
    "Theft Access Control Mode is still active. OK<BR>",
    "Theft Access Control Timeout read correctly. OK<BR>",
    "Theft state has been triggered. OK<BR>",
    "Theft Access Control Mode still enabled after attempting to disable with incorrect PIN. OK<BR>",
    "Theft state is still triggered after setting incorrect PIN. OK<BR>",
    "Theft Access Control Mode disabled after setting correct PIN. OK<BR>",
    "Theft state has been disabled after setting correct PIN. OK<BR>",
};

class TheftDeterrenceTestTest : public testing::EngineTest {
  protected:
    TheftDeterrenceTestTest() {
        report::BeginReport();
        for (uint8_t code = 0xFA; code <= 0xFE; ++code) {
            catalogue::Catalogue()[code].inCaps = true;
        }
        presenter_.OnMessage("", [] { Monitor().exchanges.push_back("box"); });
    }

    // Scripts one read per step; `reads` in step order. The read of step `silentStep` (1-based) gets
    // no answer to any of its three tries.
    void Script(const std::array<StepRead, 13>& reads, size_t silentStep = 0) {
        Monitor().script.clear();
        for (size_t i = 0; i < reads.size(); ++i) {
            const bool silent = i + 1 == silentStep;
            for (int tries = silent ? 3 : 1; tries > 0; --tries) {
                Monitor().script[reads[i].code].push_back(
                    {silent ? ReadOutcome::kNoAnswer : ReadOutcome::kAnswer, 0, 0xFFFF, reads[i].value});
            }
        }
    }

    void Run() {
        presenter_.QueueMessageAnswer(MessageAnswer::kYes);
        TheftDeterrenceTest();
    }

    std::vector<PluginRowCells> Rows() const {
        return PluginRows(report::ReportBody.View(), report::html::kTheftCaption);
    }

    std::vector<bool> Verdicts() const {
        std::vector<bool> verdicts;
        for (const PluginRowCells& row : Rows()) {
            verdicts.push_back(row.passed);
        }
        return verdicts;
    }

    testing::TraceClock traceClock_{clock_};
    platform::ScopedClock scopedTrace_{traceClock_};
};

TEST_F(TheftDeterrenceTestTest, NoToTheFirstBoxLeavesReportAndMonitorAlone) {
    presenter_.QueueMessageAnswer(MessageAnswer::kNo);
    TheftDeterrenceTest();
    EXPECT_EQ(report::ReportBody.Used(), 0u);
    EXPECT_EQ(Monitor().exchanges, std::vector<std::string>{"box"});
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
    EXPECT_TRUE(presenter_.LogLines().empty());
    EXPECT_TRUE(presenter_.EventsOf(EventKind::kIndividualRange).empty());
    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Theft");
    EXPECT_EQ(boxes[0].text, "Proceed with manual Theft tests?");
    EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kYesNo);
    EXPECT_EQ(boxes[0].icon, op::MessageIcon::kNone);
}

// PIN words are two writes, low first, each followed by 100 ms; a mode change with the right PIN
// settles 6 s, the attempts with a wrong one not at all; the state reads sit between 30 ms waits.
TEST_F(TheftDeterrenceTestTest, TalksToTheMonitorInTheOrderOfItsSteps) {
    Script(kCompliantReads);
    Run();
    const std::vector<std::string> want = {
        "box",
        // 1
        "w 0xFB 1", "wait 100", "w 0xFC 15143", "wait 100", "w 0xFD 217", "wait 100", "w 0xFA 1", "wait 6000", "r 0xFA",
        // 2-5
        "r 0xFB", "r 0xFC", "r 0xFD", "wait 30", "r 0xFE", "wait 30",
        // 6: 0x5C19, 0x00B2
        "w 0xFC 23577", "wait 100", "w 0xFD 178", "wait 100", "w 0xFA 0", "r 0xFA",
        // 7-9
        "box", "r 0xFA", "r 0xFB", "wait 30", "r 0xFE", "wait 30",
        // 10-11: 0x2E84, 0x01C6
        "w 0xFC 11908", "wait 100", "w 0xFD 454", "wait 100", "w 0xFA 0", "r 0xFA", "wait 30", "r 0xFE", "wait 30",
        // 12-13
        "w 0xFC 15143", "wait 100", "w 0xFD 217", "wait 100", "w 0xFA 0", "wait 6000", "r 0xFA", "wait 30", "r 0xFE",
        "wait 30"};
    EXPECT_EQ(Monitor().exchanges, want);
}

TEST_F(TheftDeterrenceTestTest, ACompliantMonitorPassesThirteenRows) {
    Script(kCompliantReads);
    Run();
    const std::vector<PluginRowCells> rows = Rows();
    ASSERT_EQ(rows.size(), 13u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].passed) << "step " << i + 1;
        EXPECT_EQ(rows[i].codes, kStepCodes[i]) << "step " << i + 1;
        EXPECT_TRUE(rows[i].comments.ends_with("Verified in Capability String<BR>" + kOkLines[i])) << rows[i];
    }
    EXPECT_EQ(rows[0].description, "Check if theft access mode is enabled.<BR>");
    EXPECT_EQ(rows[9].description, "Check if theft access mode is disabled after setting incorrect PIN.<BR>");

    std::vector<std::string> wantLog = {"Running manual Theft Deterrence test.  This requires user input!"};
    for (size_t i = 0; i < kOkLines.size(); ++i) {
        if (i == 5) {
            wantLog.insert(wantLog.end(), {"Sending Wrong PIN.",
                                           "Attempt to disable Theft Access Control Mode with "
                                           "wrong PIN."});
        }
        if (i == 9) {
            wantLog.insert(wantLog.end(), {"Sending Wrong PIN, again.", "Disable theft access control mode, again."});
        }
        wantLog.push_back(kOkLines[i]);
    }
    EXPECT_EQ(presenter_.LogLines(), wantLog);

    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Enter Unfavorable State");
    EXPECT_EQ(
        boxes[1].text,
        "Please unplug video and power cables from the monitor.  Wait one minute before plugging cables back in.");
    EXPECT_EQ(boxes[1].buttons, op::MessageButtons::kOk);
    EXPECT_EQ(boxes[1].icon, op::MessageIcon::kNone);
    EXPECT_TRUE(report::ReportBody.View().ends_with("</table>&nbsp;<BR>&nbsp;\n<BR>"));
}

// One read off the mark fails its own step only, with the value read where the line shows one.
TEST_F(TheftDeterrenceTestTest, EachStepFailsOnItsOwnReadWithTheValueRead) {
    struct Case {
        size_t step;  // 1-based
        uint32_t value;
        const char* error;    // empty: the step still passes
        bool silent = false;  // the monitor does not answer the step's read
    };
    const Case cases[] = {
        {1, 0, "ERROR, could not enter Theft Enabled mode, sent 0x01, got 0x0<BR>"},
        {2, 0x1F, "ERROR, could not set Theft Access Control Timeout, sent 0x01, got 0x1f<BR>"},
        {3, 0x3B27, "ERROR, should not be able to read low byte of Theft Access Control Pin<BR>"},
        {3, 0x13B27, "ERROR, should not be able to read low byte of Theft Access Control Pin<BR>"},
        {3, 0x3B28, ""},
        {4, 0xD9, "ERROR, should not be able to read high byte of Theft Access Control Pin<BR>"},
        {4, 0x3B27, ""},
        {5, 1, "ERROR, should not be in Theft Enabled state, expected 0x00, got 0x1<BR>"},
        {6, 0, "ERROR, disabled Theft Enabled mode with wrong pin<BR>"},
        {7, 0xAB, "ERROR, Theft Access Control Mode should still be enabled, read 0xab<BR>"},
        {8, 2, "ERROR, could not read Theft Access Control Timeout, expected 0x01, got 0x2<BR>"},
        {9, 0, "ERROR, should be in Theft Enabled state, expected 0x01, got 0x0<BR>"},
        {10, 0, "ERROR, Theft Access Control Mode should still be enabled.  Disabled it with wrong PIN. <BR>"},
        {11, 2,
         "ERROR, should still be in Theft Enabled state after setting incorrect PIN, expected 0x01, got 0x2<BR>"},
        {12, 1, "ERROR, Theft Access Control Mode should be disabled after setting correct PIN. <BR>"},
        {13, 1, "ERROR, theft state is still enabled after setting correct PIN.  Expected 0x00, got 0x1<BR>"},
        // No answer: the 0 left behind passes no step that looks for 0, but a PIN check still.
        {1, 0, "ERROR, could not enter Theft Enabled mode, sent 0x01, got 0x0<BR>", true},
        {3, 0, "", true},
        {5, 0, "ERROR, the monitor did not answer the read of 0xFE<BR>", true},
        {12, 0, "ERROR, the monitor did not answer the read of 0xFA<BR>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("step " + std::to_string(c.step) +
                     (c.silent ? " gets no answer" : " reads " + std::to_string(c.value)));
        report::BeginReport();
        presenter_.ClearEvents();
        std::array<StepRead, 13> reads = kCompliantReads;
        reads[c.step - 1].value = c.value;
        Script(reads, c.silent ? c.step : 0);
        Run();
        const std::vector<PluginRowCells> rows = Rows();
        ASSERT_EQ(rows.size(), 13u);
        const bool fails = c.error[0] != '\0';
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].passed, i + 1 != c.step || !fails) << rows[i];
        }
        if (fails) {
            EXPECT_TRUE(rows[c.step - 1].comments.ends_with(c.error)) << rows[c.step - 1];
            const std::vector<std::string> log = presenter_.LogLines();
            const auto line = std::find(log.begin(), log.end(), c.error);
            ASSERT_NE(line, log.end());
            ASSERT_NE(line + 1, log.end());
            EXPECT_EQ(*(line + 1), "......FAILED");
        }
    }
}

// Reads answered "unsupported" leave 0 to compare, which proves nothing where 0 is expected: only
// the PIN checks pass. Every step still runs and the correct PIN is still sent at step 12.
TEST_F(TheftDeterrenceTestTest, AMonitorWithoutTheftSupportPassesOnlyTheUnreadablePin) {
    for (uint32_t code = 0xFA; code <= 0xFE; ++code) {
        Monitor().script[code] = std::deque<ScriptedRead>(4, ScriptedRead{ReadOutcome::kUnsupported});
    }
    Run();
    EXPECT_EQ(Verdicts(), (std::vector<bool>{false, false, true, true, false, false, false, false, false, false, false,
                                             false, false}));
    EXPECT_TRUE(Rows()[0].comments.ends_with("ERROR, could not enter Theft Enabled mode, sent 0x01, got 0x0<BR>"));
    EXPECT_TRUE(Rows()[11].comments.ends_with("ERROR, the monitor did not answer the read of 0xFA<BR>"));
    EXPECT_TRUE(Rows()[12].comments.ends_with("ERROR, the monitor did not answer the read of 0xFE<BR>"));
    const std::vector<std::string>& trace = Monitor().exchanges;
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "w 0xFC 15143"), 2);
}

TEST_F(TheftDeterrenceTestTest, IndividualProgressCountsThirteenStepsThenReturnsToZero) {
    Script(kCompliantReads);
    Run();
    const auto ranges = presenter_.EventsOf(EventKind::kIndividualRange);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].first, 0);
    EXPECT_EQ(ranges[0].second, 13);
    std::vector<int> positions;
    for (const auto& event : presenter_.EventsOf(EventKind::kIndividualPosition)) {
        positions.push_back(event.first);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0}));
}

}  // namespace
}  // namespace kestrova::engine
