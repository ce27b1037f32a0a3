#include "engine/test_run_control.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "engine/test_procedure.h"
#include "engine/test_run.h"
#include "engine_fixture.h"

namespace kestrova::engine {
namespace {

// Holds the test thread inside a procedure until the test lets it go, so "a run is going" is a
// fact and not a matter of timing.
class Gate {
  public:
    void Enter() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++entered_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitUntilEntered(int times) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return entered_ >= times; });
    }
    void Open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int Entered() {
        std::lock_guard<std::mutex> lock(mutex_);
        return entered_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int entered_ = 0;
    bool open_ = false;
};

// The front's side of the run-ended notification: the window would get a posted message.
class EndedSignal {
  public:
    void Post() {
        std::lock_guard<std::mutex> lock(mutex_);
        ++posted_;
        changed_.notify_all();
    }
    void WaitFor(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return posted_ >= count; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int posted_ = 0;
};

Gate* gate = nullptr;

bool GatedProcedure(uint8_t, ResultText& result) {
    gate->Enter();
    result += "bad<BR>";
    return false;
}

class TestRunControlTest : public testing::EngineTest {
  protected:
    TestRunControlTest() {
        gate = &gate_;
        op::TestMode = op::kAutomaticMode;
        catalogue::VcpGroup& group = catalogue::VcpGroups()[0];
        group.enabled = true;
        std::fill_n(group.selected.begin(), group.count, true);
        catalogue::Catalogue()[0x04].inCaps = true;
        SetTestRunEndedHandler([this] { ended_.Post(); });
    }
    ~TestRunControlTest() override {
        gate_.Open();
        WaitForTestRunEnd();
        SetTestRunEndedHandler(nullptr);
        gate = nullptr;
    }

    Gate gate_;
    EndedSignal ended_;
    ScopedTestProcedure continuous_{catalogue::kProcedureContinuous, &GatedProcedure};
    ScopedTestProcedure nonContinuous_{catalogue::kProcedureNonContinuous, &GatedProcedure};
    ScopedTestProcedure screenAction_{catalogue::kProcedureScreenAction, &GatedProcedure};
};

TEST_F(TestRunControlTest, ASecondStartWhileARunIsGoingIsRefused) {
    ASSERT_TRUE(StartTestRun());
    gate_.WaitUntilEntered(1);
    EXPECT_TRUE(TestRunActive());
    EXPECT_FALSE(StartTestRun());
    EXPECT_FALSE(FinishEndedTestRun());

    gate_.Open();
    ended_.WaitFor(1);
    EXPECT_TRUE(FinishEndedTestRun());
    EXPECT_FALSE(TestRunActive());
    EXPECT_EQ(presenter_.LogLines().back(), "Testing complete.");
    const int procedures = gate_.Entered();

    // A second run without Reset tests nothing again.
    ASSERT_TRUE(StartTestRun());
    ended_.WaitFor(2);
    EXPECT_TRUE(FinishEndedTestRun());
    EXPECT_EQ(gate_.Entered(), procedures);
    EXPECT_TRUE(catalogue::Catalogue()[0x04].tested);
}

TEST_F(TestRunControlTest, ResetDuringARunStopsItAndClearsOnlyOnceItEnded) {
    ASSERT_TRUE(StartTestRun());
    gate_.WaitUntilEntered(1);
    EXPECT_FALSE(RequestReset());
    EXPECT_TRUE(op::StopRequested.load());

    gate_.Open();
    ended_.WaitFor(1);
    // The run stopped after the code in progress.
    EXPECT_EQ(gate_.Entered(), 1);
    EXPECT_TRUE(FinishEndedTestRun());
    EXPECT_FALSE(TestRunActive());
    EXPECT_FALSE(catalogue::Catalogue()[0x04].tested);
    EXPECT_TRUE(catalogue::Catalogue()[0x04].passed);
    EXPECT_EQ(catalogue::Catalogue()[0x04].comments, "");
    EXPECT_TRUE(report::ReportCover.Empty());
    EXPECT_TRUE(report::ReportSummary.Empty());
}

TEST_F(TestRunControlTest, AStartFinishesAnEndedRunAndItsPendingResetFirst) {
    ASSERT_TRUE(StartTestRun());
    gate_.WaitUntilEntered(1);
    RequestReset();
    gate_.Open();
    ended_.WaitFor(1);

    // The front has not handled the notification yet when Test is pressed again.
    ASSERT_TRUE(StartTestRun());
    ended_.WaitFor(2);
    WaitForTestRunEnd();
    EXPECT_FALSE(TestRunActive());
    // The reset came before the second run: the code was tested again.
    EXPECT_EQ(gate_.Entered(), 1 + catalogue::VcpGroups()[0].count);
    EXPECT_TRUE(catalogue::Catalogue()[0x04].tested);
}

TEST_F(TestRunControlTest, ResetWithoutARunClearsAtOnce) {
    catalogue::Catalogue()[0x10].tested = true;
    catalogue::Catalogue()[0x10].passed = false;
    catalogue::Catalogue()[0xE5].comments = "...WARNING, not in caps string<BR>";
    report::ReportCover.Assign("cover");
    report::ReportSummary.Assign("summary");
    EXPECT_TRUE(RequestReset());
    EXPECT_FALSE(catalogue::Catalogue()[0x10].tested);
    EXPECT_TRUE(catalogue::Catalogue()[0x10].passed);
    EXPECT_EQ(catalogue::Catalogue()[0xE5].comments, "");
    EXPECT_TRUE(report::ReportCover.Empty());
    EXPECT_TRUE(report::ReportSummary.Empty());
}

TEST_F(TestRunControlTest, AnUnknownModeStartsNothing) {
    op::TestMode = 2;
    op::StopRequested = true;
    EXPECT_FALSE(StartTestRun());
    EXPECT_FALSE(TestRunActive());
    EXPECT_TRUE(op::StopRequested.load());
    EXPECT_TRUE(presenter_.LogLines().empty());
}

TEST_F(TestRunControlTest, ManualModeRunsTheManualWalk) {
    op::TestMode = op::kManualMode;
    gate_.Open();
    ASSERT_TRUE(StartTestRun());
    ended_.WaitFor(1);
    EXPECT_TRUE(FinishEndedTestRun());
    // The Manual bar's range, and no summary heading.
    EXPECT_EQ(presenter_.EventsOf(op::testing::EventKind::kOverallRange).at(0).second, 22);
    EXPECT_EQ(report::ReportSummary.Str().find("Summary</p>"), std::string::npos);
    EXPECT_EQ(PluginProgress.load(), 0);
}

}  // namespace
}  // namespace kestrova::engine
