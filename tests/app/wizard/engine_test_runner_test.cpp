#include "app/wizard/engine_test_runner.h"

#include <gtest/gtest.h>

#include "app/run_settings.h"
#include "engine/vcp_catalogue.h"
#include "report/report_texts.h"

namespace kestrova::app::wizard {
namespace {

TEST(EngineTestRunnerTest, ResetWithNoRunClearsTheResultsAtOnce) {
    EngineTestRunner runner;
    engine::Catalogue()[0x10].tested = true;
    engine::Catalogue()[0x10].passed = false;
    report::ReportCover.Assign("<html>");

    EXPECT_FALSE(runner.RunActive());
    runner.RequestReset();

    EXPECT_TRUE(StopRequested.load());
    EXPECT_FALSE(engine::Catalogue()[0x10].tested);
    EXPECT_TRUE(engine::Catalogue()[0x10].passed);
    EXPECT_TRUE(report::ReportCover.Empty());
    ResetRunSettings();
}

TEST(EngineTestRunnerTest, AnUnknownModeStartsNoRun) {
    EngineTestRunner runner;
    TestMode = 5;
    EXPECT_FALSE(runner.StartRun());
    EXPECT_FALSE(runner.RunActive());
    ResetRunSettings();
}

}  // namespace
}  // namespace kestrova::app::wizard
