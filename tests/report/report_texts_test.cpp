#include "report/report_texts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "report_test_support.h"

namespace kestrova::report {
namespace {

class ReportTextsTest : public ::testing::Test {
  protected:
    void TearDown() override { ResetReportTexts(); }
};

TEST_F(ReportTextsTest, ResetEmptiesCoverAndSummary) {
    ReportCover.Assign("cover");
    ReportSummary.Assign("summary");
    ResetReportTexts();
    EXPECT_TRUE(ReportCover.Empty());
    EXPECT_TRUE(ReportSummary.Empty());
}

TEST_F(ReportTextsTest, SummaryHeadingReplacesWhatTheSummaryHeld) {
    ReportSummary.Assign("FAILED.<BR>old run<br>");
    WriteSummaryHeading();
    EXPECT_EQ(ReportSummary.Str(), testing::expected::kSummary);
    ReportSummary.Append("FAILED.");
    EXPECT_EQ(ReportSummary.Str(), std::string(testing::expected::kSummary) + "FAILED.");
}

// Reset pressed while a run still appends failures: the text stays whole, no torn reads.
TEST_F(ReportTextsTest, ResetDuringAppendsLeavesAWholeText) {
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            ReportSummary.Append("FAILED.<br>");
        }
        done = true;
    });
    while (!done) {
        ResetReportTexts();
        const std::string text = ReportSummary.Str();
        ASSERT_EQ(text.size() % 11, 0u);
    }
    writer.join();
    const std::string text = ReportSummary.Str();
    EXPECT_EQ(text.size() % 11, 0u);
    EXPECT_EQ(text.substr(0, 11), text.empty() ? "" : "FAILED.<br>");
}

}  // namespace
}  // namespace kestrova::report
