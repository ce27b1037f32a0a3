#include "app/wizard/engine_test_runner.h"

#include "engine/test_run_control.h"

namespace kestrova::app::wizard {

bool EngineTestRunner::StartRun() {
    return engine::StartTestRun();
}

bool EngineTestRunner::RunActive() {
    engine::FinishEndedTestRun();
    return engine::TestRunActive();
}

void EngineTestRunner::RequestReset() {
    engine::RequestReset();
}

}  // namespace kestrova::app::wizard
