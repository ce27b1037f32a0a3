// The wizard's seam to the run driver: start a run on its own thread, tell whether the last one
// has ended, and Reset between runs. The window wires the engine's driver in; tests a scripted one.
#pragma once

namespace kestrova::app::wizard {

class TestRunner {
  public:
    virtual ~TestRunner() = default;
    // Clears the stop request and starts a run by TestMode; returns at once. False when no run
    // was started.
    virtual bool StartRun() = 0;
    // A run's thread has not ended yet, a run still stopping after Reset included.
    virtual bool RunActive() = 0;
    // Raises the stop request. The results of the last run (the catalogue's run state, the report's
    // cover and summary) are cleared at once when no run is going, else as soon as it has ended,
    // so that a stopping run still saves a whole report.
    virtual void RequestReset() = 0;
};

}  // namespace kestrova::app::wizard
