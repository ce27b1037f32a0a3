#include "engine/test_run_control.h"

#include <mutex>

#include "catalogue/vcp_catalogue.h"
#include "engine/test_run.h"
#include "operator/run_settings.h"
#include "platform/worker_thread.h"
#include "report/report_texts.h"

namespace kestrova::engine {

namespace {

enum class RunState { kIdle, kRunning, kEnded };

// The mutex guards what both threads touch: the state, the pending reset and the handler. The
// worker thread object belongs to the controlling thread alone.
std::mutex mutex;
RunState state = RunState::kIdle;
bool resetPending = false;
std::function<void()> endedHandler;

platform::WorkerThread& Worker() {
    static platform::WorkerThread worker;
    return worker;
}

void RunOnTestThread(int (*run)()) {
    run();
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> lock(mutex);
        state = RunState::kEnded;
        handler = endedHandler;
    }
    if (handler) {
        handler();
    }
}

// With the run's thread joined: back to idle, and the reset it was asked for.
void FinishJoined() {
    bool clear = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        state = RunState::kIdle;
        clear = resetPending;
        resetPending = false;
    }
    if (clear) {
        ClearTestResults();
    }
}

}  // namespace

bool StartTestRun() {
    FinishEndedTestRun();
    int (*run)() = nullptr;
    switch (op::TestMode.load()) {
        case op::kAutomaticMode:
            run = &RunAutomaticTest;
            break;
        case op::kManualMode:
            run = &RunManualTest;
            break;
        default:
            return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (state != RunState::kIdle) {
            return false;
        }
        state = RunState::kRunning;
    }
    op::StopRequested = false;
    if (!Worker().Start([run] { RunOnTestThread(run); })) {
        std::lock_guard<std::mutex> lock(mutex);
        state = RunState::kIdle;
        return false;
    }
    return true;
}

bool RequestReset() {
    op::StopRequested = true;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (state == RunState::kRunning) {
            resetPending = true;
            return false;
        }
        resetPending = state == RunState::kEnded;
    }
    if (FinishEndedTestRun()) {
        return true;
    }
    ClearTestResults();
    return true;
}

void SetTestRunEndedHandler(std::function<void()> handler) {
    std::lock_guard<std::mutex> lock(mutex);
    endedHandler = std::move(handler);
}

bool FinishEndedTestRun() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (state != RunState::kEnded) {
            return false;
        }
    }
    // The body is past its last use of anything shared; this waits only for the thread to return.
    Worker().Join();
    FinishJoined();
    return true;
}

void WaitForTestRunEnd() {
    Worker().Join();
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        ended = state == RunState::kEnded;
    }
    if (ended) {
        FinishJoined();
    }
}

bool TestRunActive() {
    std::lock_guard<std::mutex> lock(mutex);
    return state != RunState::kIdle;
}

void ClearTestResults() {
    catalogue::VcpCatalogue& catalogue = catalogue::Catalogue();
    catalogue.ResetRunState();
    // Old comments would otherwise show on the next run's rows of codes that never run (0xE0-0xFF).
    for (size_t c = 0; c < catalogue::VcpCatalogue::kCodeCount; ++c) {
        catalogue[static_cast<uint8_t>(c)].comments.clear();
    }
    report::ResetReportTexts();
}

}  // namespace kestrova::engine
