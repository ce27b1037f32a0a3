#include "engine/test_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/plugin_test.h"
#include "engine/test_procedure.h"
#include "engine_fixture.h"
#include "report/html_templates.h"
#include "report/report_writer.h"
#include "report_rows.h"

namespace kestrova::engine {
namespace {

using op::testing::EventKind;
using op::testing::PresenterEvent;
using testing::ExpectedRow;

// The procedure doubles: every call is counted; a code may fail or act as the engineer (press Reset).
std::vector<uint8_t> calls;
std::map<uint8_t, bool> failing;
std::map<uint8_t, std::function<void()>> onCall;

bool ProcedureDouble(uint8_t code, ResultText& result) {
    calls.push_back(code);
    if (auto action = onCall.find(code); action != onCall.end()) {
        action->second();
    }
    const bool pass = !failing.contains(code);
    result += pass ? "ok<BR>" : "bad<BR>";
    return pass;
}

std::vector<std::string> pluginRuns;
void TheftDouble() {
    pluginRuns.push_back("theft");
    report::ReportWrite("%s", "<theft table>");
}
void PipDouble() {
    pluginRuns.push_back("pip");
    report::ReportWrite("%s", "<pip table>");
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string SkippedLine(int32_t g) {
    return GroupLabel(g) + catalogue::VcpGroups()[static_cast<size_t>(g)].name.Str() + " skipped.\n<BR>";
}

class TestRunTest : public testing::EngineTest {
  protected:
    TestRunTest() {
        calls.clear();
        failing.clear();
        onCall.clear();
        pluginRuns.clear();
        PluginProgress = 0;
        folder_ = std::filesystem::path(::testing::TempDir()) /
                  ("engine_run_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        reportPath_ = (folder_ / "report.html").string();
    }
    ~TestRunTest() override { std::filesystem::remove_all(folder_); }

    void Tick(int32_t g, std::initializer_list<int32_t> positions) {
        catalogue::VcpGroup& group = catalogue::VcpGroups()[static_cast<size_t>(g)];
        group.enabled = true;
        for (int32_t i : positions) {
            group.selected[static_cast<size_t>(i)] = true;
        }
    }
    void TickAll(int32_t g) {
        catalogue::VcpGroup& group = catalogue::VcpGroups()[static_cast<size_t>(g)];
        group.enabled = true;
        std::fill_n(group.selected.begin(), group.count, true);
    }
    std::string RunAutomaticAndRead() {
        presenter_.QueueSavePath(reportPath_);
        EXPECT_EQ(RunAutomaticTest(), 0);
        return ReadFile(reportPath_);
    }
    std::string RunManualAndRead() {
        presenter_.QueueSavePath(reportPath_);
        EXPECT_EQ(RunManualTest(), 0);
        return ReadFile(reportPath_);
    }
    std::vector<int> Positions() const {
        std::vector<int> positions;
        for (const PresenterEvent& event : presenter_.EventsOf(EventKind::kOverallPosition)) {
            positions.push_back(event.first);
        }
        return positions;
    }
    std::vector<std::pair<int, int>> Ranges() const {
        std::vector<std::pair<int, int>> ranges;
        for (const PresenterEvent& event : presenter_.EventsOf(EventKind::kOverallRange)) {
            ranges.emplace_back(event.first, event.second);
        }
        return ranges;
    }
    size_t SaveDialogs() const { return presenter_.EventsOf(EventKind::kSaveDialog).size(); }

    ScopedTestProcedure continuous_{catalogue::kProcedureContinuous, &ProcedureDouble};
    ScopedTestProcedure nonContinuous_{catalogue::kProcedureNonContinuous, &ProcedureDouble};
    ScopedTestProcedure screenAction_{catalogue::kProcedureScreenAction, &ProcedureDouble};
    ScopedPluginTest theft_{catalogue::kTheftDeterrenceGroup, &TheftDouble};
    ScopedPluginTest pip_{catalogue::kZoningPipGroup, &PipDouble};
    std::filesystem::path folder_;
    std::string reportPath_;
};

TEST(GroupLabelTest, LettersAToU) {
    EXPECT_EQ(GroupLabel(0), "a) ");
    EXPECT_EQ(GroupLabel(7), "h) ");
    EXPECT_EQ(GroupLabel(20), "u) ");
}

TEST_F(TestRunTest, EveryGroupUntickedGivesTwentyOneSkippedLinesAndStillAsksToSave) {
    const std::string file = RunAutomaticAndRead();

    std::vector<std::string> expectedLog = {"Testing started..."};
    std::string skipped;
    for (int32_t g = 0; g < 21; ++g) {
        expectedLog.push_back(GroupLabel(g) + catalogue::VcpGroups()[static_cast<size_t>(g)].name.Str());
        expectedLog.push_back("...skipped");
        skipped += SkippedLine(g);
    }
    expectedLog.push_back("Testing complete.");
    EXPECT_EQ(presenter_.LogLines(), expectedLog);
    EXPECT_EQ(SaveDialogs(), 1u);
    EXPECT_EQ(presenter_.LastSaveRequest()->title, "Save results as:");

    EXPECT_EQ(Ranges(), (std::vector<std::pair<int, int>>{{0, 20}}));
    std::vector<int> positions = {0};
    for (int g = 0; g <= 20; ++g) {
        positions.push_back(g);
    }
    EXPECT_EQ(Positions(), positions);

    const std::string head = report::ReportCover.Str() + report::html::kSummary;
    ASSERT_EQ(file.substr(0, head.size()), head);
    EXPECT_TRUE(file.ends_with(skipped)) << file.substr(file.size() - 200);
    EXPECT_FALSE(report::ReportBody.IsAllocated());
    EXPECT_TRUE(calls.empty());
}

TEST_F(TestRunTest, AFullBodyFollowsTheSectionAndGroupOrder) {
    Tick(4, {0});
    catalogue::Catalogue()[0xAA].inCaps = true;
    const std::string file = RunAutomaticAndRead();

    // The same sections written straight through the report writer.
    report::BeginReport();
    report::WriteCapsSection();
    report::WriteEdidSection();
    std::string expected(report::ReportBody.View());
    report::FreeReportBody();
    for (int32_t g = 0; g < 4; ++g) {
        expected += SkippedLine(g);
    }
    report::BeginReport();
    report::WriteGroupTableStart(catalogue::VcpGroups()[4]);
    expected += report::ReportBody.View();
    report::FreeReportBody();
    expected += ExpectedRow(0xAA, std::string(catalogue::Catalogue()[0xAA].name.View().substr(4)), "RO , NC", true,
                            "Verified in Capability String<BR>ok<BR>");
    expected += "</table><br>&nbsp;\n";
    for (int32_t g = 5; g < 21; ++g) {
        expected += SkippedLine(g);
    }
    const std::string head = report::ReportCover.Str() + report::html::kSummary;
    EXPECT_EQ(file, head + expected);
}

TEST_F(TestRunTest, AStopDuringGroupSevenEndsTheRunAfterTheCurrentCode) {
    for (int32_t g = 0; g < 21; ++g) {
        Tick(g, {});
    }
    TickAll(7);
    TickAll(8);
    const catalogue::VcpGroup& imageGroup = catalogue::VcpGroups()[7];
    const auto stopCode = static_cast<uint8_t>(imageGroup.codes[1]);
    onCall[stopCode] = [] { op::StopRequested = true; };

    const std::string file = RunAutomaticAndRead();

    EXPECT_EQ(calls, (std::vector<uint8_t>{static_cast<uint8_t>(imageGroup.codes[0]), stopCode}));
    EXPECT_NE(file.find("Image Adjustment"), std::string::npos);
    EXPECT_EQ(file.find(catalogue::VcpGroups()[8].name.Str()), std::string::npos);
    EXPECT_EQ(file.find("Reserved commands"), std::string::npos);
    EXPECT_TRUE(file.ends_with("</table><br>&nbsp;\n"));
    EXPECT_EQ(SaveDialogs(), 1u);
    const std::vector<std::string> log = presenter_.LogLines();
    EXPECT_EQ(log.back(), "Testing complete.");
    EXPECT_NE(std::find(log.begin(), log.end(), "h) Image Adjustment"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "i) Audio"), log.end());
    EXPECT_EQ(Positions().back(), 7);
}

TEST_F(TestRunTest, ASecondRunWithoutResetRepeatsTheStoredResults) {
    TickAll(0);
    TickAll(6);  // shares 0x10 and others with group 0
    for (uint8_t code : {0x10, 0x12}) {
        catalogue::Catalogue()[code].inCaps = true;
        failing[code] = true;
    }
    const std::string first = RunAutomaticAndRead();
    const size_t firstCalls = calls.size();
    ASSERT_GT(firstCalls, 0u);

    // Each failure twice (groups 0 and 6), and the unlisted codes' warnings too.
    const std::string summary = report::ReportSummary.Str();
    size_t brightness = 0;
    for (size_t at = summary.find("0x10  Brightness"); at != std::string::npos;
         at = summary.find("0x10  Brightness", at + 1)) {
        ++brightness;
    }
    EXPECT_EQ(brightness, 2u);

    presenter_.ClearEvents();
    const std::string second = RunAutomaticAndRead();
    EXPECT_EQ(calls.size(), firstCalls);
    // Same cover time, same rows, same summary: nothing was tested again.
    EXPECT_EQ(second, first);
}

TEST_F(TestRunTest, ManualRunHasNoSummaryHeadingAndRunsThePluginTestsInsideTheirGroups) {
    TickAll(0);
    for (int32_t i = 0; i < catalogue::VcpGroups()[0].count; ++i) {
        catalogue::Catalogue()[static_cast<uint8_t>(catalogue::VcpGroups()[0].codes[i])].inCaps = true;
    }
    failing[0x10] = true;
    Tick(catalogue::kTheftDeterrenceGroup, {});  // ticked, but none of its codes
    op::TestMode = op::kManualMode;

    const std::string file = RunManualAndRead();

    EXPECT_EQ(pluginRuns, std::vector<std::string>{"theft"});
    const std::string cover = report::ReportCover.Str();
    ASSERT_TRUE(file.starts_with(cover));
    // Only the failure stands before the hardware section: no heading above it.
    EXPECT_TRUE(file.substr(cover.size())
                    .starts_with("FAILED.<BR>VCP Code: 0x10  Brightness/Luminance<BR>Type: RW , C<BR>Verified in "
                                 "Capability String<BR>bad<BR><BR><br><p style='font-family: Garamond, Times New "
                                 "Roman; font-size:18pt;font-weight:700;'>Hardware Characteristics"));
    EXPECT_EQ(file.find("Summary</p>"), std::string::npos);
    const size_t hardware = file.find("Hardware Characteristics");
    EXPECT_GT(hardware, file.find("FAILED."));
    EXPECT_LT(hardware, file.find("Display Capability String"));

    // The theft table stands inside the open group table, after no VCP rows.
    std::string theftGroup;
    report::BeginReport();
    report::WriteGroupTableStart(catalogue::VcpGroups()[catalogue::kTheftDeterrenceGroup]);
    theftGroup = std::string(report::ReportBody.View()) + "<theft table></table><br>&nbsp;\n";
    report::FreeReportBody();
    EXPECT_NE(file.find(theftGroup), std::string::npos);

    // 19 positions of group 0, then the two steps around the theft test; back to 0 at the end.
    EXPECT_EQ(Ranges(), (std::vector<std::pair<int, int>>{{0, 22}}));
    std::vector<int> positions = {0, 0};
    for (int step = 1; step <= 21; ++step) {
        positions.push_back(step);
    }
    EXPECT_EQ(Positions(), positions);
    EXPECT_EQ(PluginProgress.load(), 0);
    EXPECT_EQ(presenter_.LogLines().back(), "Testing complete.");
}

TEST_F(TestRunTest, ManualStopDuringTheftRowsStillRunsTheTheftTest) {
    TickAll(catalogue::kTheftDeterrenceGroup);
    TickAll(catalogue::kZoningPipGroup);
    onCall[0xFA] = [] { op::StopRequested = true; };
    op::TestMode = op::kManualMode;
    const std::string file = RunManualAndRead();
    EXPECT_EQ(calls, std::vector<uint8_t>{0xFA});
    EXPECT_EQ(pluginRuns, std::vector<std::string>{"theft"});
    EXPECT_TRUE(file.ends_with("<theft table></table><br>&nbsp;\n"));
}

TEST_F(TestRunTest, ManualGroupsWithoutAPluginTestCountEveryPosition) {
    TickAll(catalogue::kZoningPipGroup);
    Tick(4, {});  // Auto Pivot: one position, unticked
    op::TestMode = op::kManualMode;
    SetPluginTest(catalogue::kZoningPipGroup, nullptr);  // no test registered yet: the group's rows only
    RunManualAndRead();
    EXPECT_TRUE(pluginRuns.empty());
    // Group 4's position, then the two steps of group 5.
    EXPECT_EQ(Positions(), (std::vector<int>{0, 0, 1, 2, 3}));
}

TEST_F(TestRunTest, AnUnwritablePathGivesAnErrorBoxAndASecondChance) {
    const std::string bad = (folder_ / "missing" / "report.html").string();
    presenter_.QueueSavePath(bad);
    presenter_.QueueSavePath(std::nullopt);
    EXPECT_EQ(RunAutomaticTest(), 0);

    const std::vector<PresenterEvent> boxes = presenter_.EventsOf(EventKind::kMessage);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_NE(boxes[0].text.find(bad), std::string::npos);
    EXPECT_EQ(SaveDialogs(), 2u);
    EXPECT_EQ(presenter_.LogLines().back(), "Testing complete.");
    EXPECT_FALSE(std::filesystem::exists(bad));

    // Given a good folder the second time, the report is saved there.
    presenter_.ClearEvents();
    presenter_.QueueSavePath(bad);
    presenter_.QueueSavePath(reportPath_);
    EXPECT_EQ(RunAutomaticTest(), 0);
    EXPECT_TRUE(ReadFile(reportPath_).starts_with(report::ReportCover.Str()));
    EXPECT_EQ(presenter_.LogLines().back(), "Testing complete.");
}

}  // namespace
}  // namespace kestrova::engine
