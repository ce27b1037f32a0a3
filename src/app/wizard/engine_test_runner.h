// The run driver of the engine behind the wizard's seam, for the fronts to hand to the wizard.
#pragma once

#include "app/wizard/test_runner.h"

namespace kestrova::app::wizard {

class EngineTestRunner final : public TestRunner {
  public:
    bool StartRun() override;
    // A run that has ended is finished here first, so Test never waits for the front to do it.
    bool RunActive() override;
    void RequestReset() override;
};

}  // namespace kestrova::app::wizard
