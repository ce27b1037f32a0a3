// Starting a run and resetting between runs, from the window thread (or a console front's main
// thread). At most one run exists at a time. Reset pressed during a run only asks it to stop: the
// catalogue's run state and the report texts are cleared once the run has ended, so the clearing
// never meets a test thread that is still writing them.
//
// The test thread reaches the window through synchronous messages, so the window thread must never
// block on it: the run announces its end through the ended handler (on the test thread), the front
// posts that to its own thread and calls FinishEndedTestRun() there.
#pragma once

#include <functional>

namespace kestrova::engine {

// Starts a thread on RunAutomaticTest or RunManualTest by TestMode, after clearing the stop
// request, and returns at once. False, and nothing started, while an earlier run is still going,
// for an unknown mode, or when no thread can be had. A run that ended but was not yet finished is
// finished first.
bool StartTestRun();

// Reset: raises the stop request at once; clears the results now when no run is going, else when
// the run has ended. True when they were cleared now.
bool RequestReset();

// The handler runs on the test thread right after "Testing complete.". It must not wait for the
// window thread or finish the run itself; it only tells the front (a posted message). Set it
// between runs.
void SetTestRunEndedHandler(std::function<void()> handler);

// After the run reported its end: joins its thread and applies a reset asked for during the run.
// True when an ended run was finished; false while it still runs or when there is none.
bool FinishEndedTestRun();

// Blocks until the current run (if any) has ended, then finishes it. Only for fronts whose test
// thread never waits on the caller (console front, shutdown after a stop, tests).
void WaitForTestRunEnd();

// A run is going, or has ended without being finished yet.
bool TestRunActive();

// What Reset clears: every code back to untested and passed with no comments, the cover and
// summary texts emptied. Only while no run is going.
void ClearTestResults();

}  // namespace kestrova::engine
