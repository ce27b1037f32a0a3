#include "engine/pip_zoning_test.h"

#include <gtest/gtest.h>

#include <numeric>
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

constexpr const char* kQuestions[] = {
    "Did the PIP window open in the top left corner?",
    "Did the PIP resize smaller and increase in size?",
    "Did the PIP become more transparent with time?",
    "Did the PIP window move into all four corners of the screen?",
    "Did the PIP window brightness level change?",
    "Did the PIP window contrast level change?",
    "Did the PIP window hue change?",
    "Did the PIP window saturation change?",
};

class PipZoningTestTest : public testing::EngineTest {
  protected:
    PipZoningTestTest() {
        report::BeginReport();
        for (uint8_t code : {0x95, 0x96, 0x97, 0x98, 0xA4, 0xA5, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5}) {
            catalogue::Catalogue()[code].inCaps = true;
        }
        Monitor().controls = {
            {0x95, {0, 4095, 0}}, {0x96, {0, 4095, 0}},  {0x97, {0, 4095, 0}}, {0x98, {0, 4095, 0}},
            {0xA4, {0, 255, 0}},  {0xA5, {0, 65535, 0}}, {0xEA, {0, 100, 50}}, {0xF1, {0, 100, 40}},
            {0xF2, {0, 100, 45}}, {0xF3, {0, 100, 50}},  {0xF4, {0, 100, 55}}, {0xF5, {0, 15, 10}},
        };
        // Each box puts its question into the trace, where the engineer sees it.
        presenter_.OnMessage("", [this] { Monitor().exchanges.push_back("ask"); });
    }

    // Answers the first box Yes and the eight questions as given.
    void Run(std::vector<MessageAnswer> answers = std::vector<MessageAnswer>(8, MessageAnswer::kYes)) {
        presenter_.QueueMessageAnswer(MessageAnswer::kYes);
        for (MessageAnswer answer : answers) {
            presenter_.QueueMessageAnswer(answer);
        }
        PipZoningTest();
    }

    std::vector<PluginRowCells> Rows() const {
        return PluginRows(report::ReportBody.View(), report::html::kPipCaption);
    }

    // The writes of one code, in order.
    static std::vector<std::string> WritesOf(const std::string& code) {
        std::vector<std::string> writes;
        for (const std::string& exchange : Monitor().exchanges) {
            if (exchange.starts_with("w " + code + " ")) {
                writes.push_back(exchange.substr(code.size() + 3));
            }
        }
        return writes;
    }

    testing::TraceClock traceClock_{clock_};
    platform::ScopedClock scopedTrace_{traceClock_};
};

TEST_F(PipZoningTestTest, NoToTheFirstBoxLeavesReportAndMonitorAlone) {
    presenter_.QueueMessageAnswer(MessageAnswer::kNo);
    PipZoningTest();
    EXPECT_EQ(report::ReportBody.Used(), 0u);
    EXPECT_EQ(Monitor().exchanges, std::vector<std::string>{"ask"});
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
    EXPECT_TRUE(presenter_.LogLines().empty());
    const auto boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "PIP");
    EXPECT_EQ(boxes[0].text, "Proceed with manual PIP tests?");
    EXPECT_EQ(boxes[0].buttons, op::MessageButtons::kYesNo);
}

// The whole conversation with the monitor, waits included, in order.
TEST_F(PipZoningTestTest, TalksToTheMonitorInTheOrderOfItsSteps) {
    std::vector<std::string> want{"ask"};
    auto add = [&want](std::initializer_list<std::string> items) { want.insert(want.end(), items); };
    auto write = [&want](const std::string& code, uint32_t value) {
        want.push_back("w " + code + " " + std::to_string(value));
    };
    auto wait = [&want](uint32_t ms) { want.push_back("wait " + std::to_string(ms)); };
    auto place = [&](uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2) {
        write("0x95", x1), wait(64), write("0x96", y1), wait(64), write("0x97", x2), wait(64);
        write("0x98", y2), wait(64), write("0xA4", 255), wait(150);
    };
    auto open = [&] { write("0xA4", 0), wait(64), write("0xA5", 256), wait(64), place(10, 10, 170, 100); };
    auto closeAndReopen = [&] { write("0xA5", 0), wait(3000), open(), wait(3000); };
    auto stepThrough = [&](const std::string& code, std::initializer_list<uint32_t> values) {
        for (uint32_t value : values) {
            write(code, value), wait(100);
        }
    };

    open(), wait(2000), add({"ask"});
    add({"r 0xEA"}), wait(100), stepThrough("0xEA", {1, 20, 40, 60, 80, 100}), add({"ask"});
    write("0xEA", 50), wait(100), closeAndReopen();
    add({"r 0xF5"}), wait(100), stepThrough("0xF5", {15, 12, 9, 6, 3, 1}), add({"ask"});
    write("0xF5", 10), wait(100), closeAndReopen();
    for (auto [x1, y1, x2, y2] : {std::array<uint32_t, 4>{10, 10, 170, 100},
                                  {1800, 10, 1960, 100},
                                  {1800, 1800, 1960, 1890},
                                  {10, 1800, 170, 1890},
                                  {10, 10, 170, 100}}) {
        write("0xA5", 256), write("0xA4", 0), wait(64), place(x1, y1, x2, y2), wait(3000);
    }
    add({"ask"}), closeAndReopen(), write("0xA5", 256), wait(3000);
    add({"r 0xF1"}), wait(100), stepThrough("0xF1", {0, 33, 66, 100}), add({"ask"}), write("0xF1", 40), wait(100);
    add({"r 0xF2"}), wait(100), stepThrough("0xF2", {0, 33, 66, 100}), add({"ask"}), write("0xF2", 45);
    add({"r 0xF3"}), wait(100), stepThrough("0xF3", {0, 33, 66, 100}), add({"ask"}), write("0xF3", 50), wait(100);
    add({"r 0xF4"}), wait(100), stepThrough("0xF4", {0, 33, 66, 100}), add({"ask"}), write("0xF4", 55);
    wait(3000), write("0xA5", 0), wait(3000);

    Run();
    EXPECT_EQ(Monitor().exchanges, want);
    // About fifty seconds of settling, all of it on the process clock.
    const std::vector<uint32_t> sleeps = clock_.Sleeps();
    EXPECT_EQ(std::accumulate(sleeps.begin(), sleeps.end(), uint64_t{0}), 52'286u);
}

TEST_F(PipZoningTestTest, EveryYesPassesEightRowsWithTheirCodesAndLogLines) {
    Run();
    const std::vector<std::pair<std::string, std::string>> want = {
        {"0xA4, 0xA5, 0x95, 0x96, 0x97, 0x98", "PIP window opened correctly. OK<BR>"},
        {"0xEA", "PIP window resized correctly. OK<BR>"},
        {"0xEA, 0xA5, 0xA4, 0x95, 0x96, 0x97, 0x98, 0xF5", "PIP window transparency working correctly. OK<BR>"},
        {"0xF5, 0xA5, 0xA4, 0x95, 0x96, 0x97, 0x98", "PIP window move command working correctly. OK<BR>"},
        {"0xA5, 0xA4, 0x95, 0x96, 0x97, 0x98, 0xF1", "PIP window brightness command working correctly. OK<BR>"},
        {"0xF2", "PIP window contrast command working correctly. OK<BR>"},
        {"0xF3", "PIP window hue command working correctly. OK<BR>"},
        {"0xF4", "PIP window saturation command working correctly. OK<BR>"},
    };
    const std::vector<PluginRowCells> rows = Rows();
    ASSERT_EQ(rows.size(), want.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].codes, want[i].first) << "step " << i + 1;
        EXPECT_TRUE(rows[i].passed) << "step " << i + 1;
        EXPECT_TRUE(rows[i].comments.ends_with("String<BR>" + want[i].second)) << rows[i];
    }
    EXPECT_EQ(rows[1].comments, "0xEA Verified in Capability String<BR>PIP window resized correctly. OK<BR>");
    EXPECT_EQ(rows[0].description, "Open PIP window in top left corner of screen.");
    EXPECT_EQ(rows[7].description, "Test PIP window saturation.");

    const std::vector<std::string> log = presenter_.LogLines();
    const std::vector<std::string> wantLog = {
        "Running manual PIP, Zoning test.  This requires user input!",
        "Open PIP window",
        "PIP window opened correctly. OK<BR>",
        "Resizing PIP window",
        "PIP window resized correctly. OK<BR>",
        "Close PIP window",
        "Open PIP window",
        "Testing PIP window transparency",
        "PIP window transparency working correctly. OK<BR>",
        "Close PIP window",
        "Open PIP window",
        "Moving PIP window",
        "PIP window top left",
        "PIP window top right",
        "PIP window bottom right",
        "PIP window bottom left",
        "PIP window top left",
        "PIP window move command working correctly. OK<BR>",
        "Close PIP window",
        "Open PIP window",
        "Set PIP window brightness",
        "PIP window brightness command working correctly. OK<BR>",
        "Set PIP window contrast",
        "PIP window contrast command working correctly. OK<BR>",
        "Set PIP window hue",
        "PIP window hue command working correctly. OK<BR>",
        "Set PIP window saturation",
        "PIP window saturation command working correctly. OK<BR>",
        "Close PIP window",
    };
    EXPECT_EQ(log, wantLog);

    std::vector<std::string> boxes;
    for (const auto& box : presenter_.EventsOf(EventKind::kMessage)) {
        EXPECT_EQ(box.buttons, op::MessageButtons::kYesNo);
        boxes.push_back(box.caption + ": " + box.text);
    }
    std::vector<std::string> wantBoxes = {"PIP: Proceed with manual PIP tests?"};
    for (const char* question : kQuestions) {
        wantBoxes.push_back(std::string("PIP Window: ") + question);
    }
    EXPECT_EQ(boxes, wantBoxes);
    // The table is closed behind the last row.
    EXPECT_TRUE(report::ReportBody.View().ends_with("</table>&nbsp;<BR>&nbsp;\n<BR>"));
}

// A "No" fails its own row only, with the step's ERROR sentence, and the test goes on.
TEST_F(PipZoningTestTest, ANoFailsOnlyItsOwnStep) {
    const char* errors[] = {
        "ERROR, PIP window did not open in top left corner<BR>",
        "ERROR, PIP window did not resize correctly.<BR>",
        "ERROR, PIP window transparency setting incorrectly.<BR>",
        "ERROR, PIP window move commands setting incorrectly.<BR>",
        "ERROR, PIP window brightness command functioning incorrectly.<BR>",
        "ERROR, PIP window contrast command functioning incorrectly.<BR>",
        "ERROR, PIP window hue command functioning incorrectly.<BR>",
        "ERROR, PIP window saturation command functioning incorrectly.<BR>",
    };
    for (size_t no = 0; no < 8; ++no) {
        SCOPED_TRACE("No to step " + std::to_string(no + 1));
        report::BeginReport();
        presenter_.ClearEvents();
        std::vector<MessageAnswer> answers(8, MessageAnswer::kYes);
        answers[no] = MessageAnswer::kNo;
        Run(answers);
        const std::vector<PluginRowCells> rows = Rows();
        ASSERT_EQ(rows.size(), 8u);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].passed, i != no) << rows[i];
        }
        EXPECT_TRUE(rows[no].comments.ends_with(errors[no])) << rows[no];
        const std::vector<std::string> log = presenter_.LogLines();
        const auto error = std::find(log.begin(), log.end(), errors[no]);
        ASSERT_NE(error, log.end());
        ASSERT_NE(error + 1, log.end());
        EXPECT_EQ(*(error + 1), "......FAILED");
    }
}

TEST_F(PipZoningTestTest, ColourSweepsStopAtMinimumThirdsAndMaximum) {
    struct Case {
        uint32_t minimum;
        uint32_t maximum;
        std::vector<std::string> writes;  // the sweep, then the write-back of 40
    };
    const Case cases[] = {
        {0, 100, {"0", "33", "66", "100", "40"}},
        {0, 2, {"0", "1", "2", "40"}},  // 0 is both the minimum and a third of 2
        {0, 0, {"0", "40"}},
        {10, 100, {"10", "33", "66", "100", "40"}},
        {50, 100, {"50", "66", "100", "40"}},  // a third lies below the minimum
        {5, 3, {"40"}},                        // minimum above maximum: no sweep, still restored
        {0, 65535, {"0", "21845", "43690", "65535", "40"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minimum) + ".." + std::to_string(c.maximum));
        report::BeginReport();
        Monitor().exchanges.clear();
        Monitor().controls[0xF1] = {c.minimum, c.maximum, 40};
        Run();
        EXPECT_EQ(WritesOf("0xF1"), c.writes);
    }
}

TEST_F(PipZoningTestTest, SettingsReadBeforeTheirStepsAreWrittenBack) {
    Monitor().controls[0xEA].current = 7;
    Monitor().controls[0xF5].current = 4;
    Monitor().controls[0xF3].current = 12;
    Run();
    for (auto [code, value] : std::initializer_list<std::pair<uint32_t, uint32_t>>{
             {0xEA, 7}, {0xF5, 4}, {0xF1, 40}, {0xF2, 45}, {0xF3, 12}, {0xF4, 55}}) {
        EXPECT_EQ(Monitor().controls[code].current, value) << std::hex << code;
    }
    // And the window is deselected at the end.
    EXPECT_EQ(Monitor().controls[0xA5].current, 0u);
}

TEST_F(PipZoningTestTest, CodesMissingFromTheCapabilitiesAreNamedWhateverTheAnswer) {
    catalogue::Catalogue()[0xEA].inCaps = false;
    catalogue::Catalogue()[0xA4].inCaps = false;
    for (MessageAnswer answer : {MessageAnswer::kYes, MessageAnswer::kNo}) {
        report::BeginReport();
        Run(std::vector<MessageAnswer>(8, answer));
        const std::vector<PluginRowCells> rows = Rows();
        ASSERT_EQ(rows.size(), 8u);
        EXPECT_TRUE(rows[1].comments.starts_with("0xEA Not in Capapability String<BR>")) << rows[1];
        EXPECT_TRUE(rows[0].comments.starts_with(
            "0xA4 Not in Capapability String, <BR>0xA5 Verified in Capability String, <BR>0x95"))
            << rows[0];
        EXPECT_EQ(rows[5].comments.find("Not in"), std::string::npos) << rows[5];
    }
}

// A monitor that answers nothing still gets every step; the operator alone decides the rows. What
// it never read it never writes back, so the monitor keeps its own settings.
TEST_F(PipZoningTestTest, FailedReadsAreNotChecked) {
    Monitor().controls.clear();
    Run();
    const std::vector<PluginRowCells> rows = Rows();
    ASSERT_EQ(rows.size(), 8u);
    for (const PluginRowCells& row : rows) {
        EXPECT_TRUE(row.passed) << row;
    }
    EXPECT_EQ(WritesOf("0xEA"), (std::vector<std::string>{"1", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(WritesOf("0xF5"), (std::vector<std::string>{"15", "12", "9", "6", "3", "1"}));
    EXPECT_EQ(rows[2].codes, "0xA5, 0xA4, 0x95, 0x96, 0x97, 0x98, 0xF5");
    for (const char* colour : {"0xF1", "0xF2", "0xF3", "0xF4"}) {
        EXPECT_EQ(WritesOf(colour), std::vector<std::string>{}) << colour;
    }
}

TEST_F(PipZoningTestTest, IndividualProgressRunsZeroToSevenAndStaysThere) {
    Run();
    const auto ranges = presenter_.EventsOf(EventKind::kIndividualRange);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].first, 0);
    EXPECT_EQ(ranges[0].second, 7);
    std::vector<int> positions;
    for (const auto& event : presenter_.EventsOf(EventKind::kIndividualPosition)) {
        positions.push_back(event.first);
    }
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 7}));
}

TEST_F(PipZoningTestTest, SetPipWindowNotesEveryWriteAndOpenAllButTheShow) {
    PluginCodeList codes;
    OpenPipWindow(codes);
    EXPECT_EQ(codes, (PluginCodeList{"0xA4", "0xA5", "0x95", "0x96", "0x97", "0x98"}));
    codes.clear();
    SetPipWindow(codes, 1, 2, 3, 4);
    EXPECT_EQ(codes, (PluginCodeList{"0xA5", "0xA4", "0x95", "0x96", "0x97", "0x98", "0xA4"}));
    EXPECT_EQ(Monitor().controls[0x97].current, 3u);
    EXPECT_EQ(Monitor().controls[0xA4].current, 255u);
}

}  // namespace
}  // namespace kestrova::engine
