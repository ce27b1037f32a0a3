#include "app/wizard/engine_test_runner.h"

#include <gtest/gtest.h>

#include "catalogue/vcp_catalogue.h"
#include "operator/run_settings.h"
#include "report/report_texts.h"

namespace kestrova::app::wizard {
namespace {

TEST(EngineTestRunnerTest, ResetWithNoRunClearsTheResultsAtOnce) {
    EngineTestRunner runner;
    catalogue::Catalogue()[0x10].tested = true;
    catalogue::Catalogue()[0x10].passed = false;
    report::ReportCover.Assign("<html>");

    EXPECT_FALSE(runner.RunActive());
    runner.RequestReset();

    EXPECT_TRUE(op::StopRequested.load());
    EXPECT_FALSE(catalogue::Catalogue()[0x10].tested);
    EXPECT_TRUE(catalogue::Catalogue()[0x10].passed);
    EXPECT_TRUE(report::ReportCover.Empty());
    op::ResetRunSettings();
}

TEST(EngineTestRunnerTest, AnUnknownModeStartsNoRun) {
    EngineTestRunner runner;
    op::TestMode = 5;
    EXPECT_FALSE(runner.StartRun());
    EXPECT_FALSE(runner.RunActive());
    op::ResetRunSettings();
}

}  // namespace
}  // namespace kestrova::app::wizard
