// Stand-ins for the code families' procedures and the manual plug-in tests, for end-to-end runs:
// the procedures read through the shared checks only, so rows carry what the monitor answered and
// the goldens do not move when the real procedures change.
#pragma once

#include "engine/plugin_test.h"
#include "engine/test_procedure.h"
#include "engine/vcp_group_definitions.h"
#include "engine/vcp_tag.h"

namespace kestrova::engine::testing {

bool ReadBackStandIn(uint8_t code, ResultText& result);
bool ScreenActionStandIn(uint8_t code, ResultText& result);
void TheftStandIn();
void PipStandIn();

// Installs all of them for the lifetime of a scope.
class ScopedStandIns {
  public:
    ScopedStandIns() = default;
    ScopedStandIns(const ScopedStandIns&) = delete;
    ScopedStandIns& operator=(const ScopedStandIns&) = delete;

  private:
    ScopedTestProcedure continuous_{kProcedureContinuous, &ReadBackStandIn};
    ScopedTestProcedure nonContinuous_{kProcedureNonContinuous, &ReadBackStandIn};
    ScopedTestProcedure screenAction_{kProcedureScreenAction, &ScreenActionStandIn};
    ScopedPluginTest theft_{kTheftDeterrenceGroup, &TheftStandIn};
    ScopedPluginTest pip_{kZoningPipGroup, &PipStandIn};
};

}  // namespace kestrova::engine::testing
