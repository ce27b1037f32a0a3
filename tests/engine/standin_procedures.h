// Stand-ins for the code families' procedures and the manual plug-in tests, for end-to-end runs:
// the procedures read through the shared checks only, so rows carry what the monitor answered and
// the goldens do not move when the real procedures change.
#pragma once

#include "catalogue/vcp_group_definitions.h"
#include "catalogue/vcp_tag.h"
#include "engine/plugin_test.h"
#include "engine/test_procedure.h"

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
    ScopedTestProcedure continuous_{catalogue::kProcedureContinuous, &ReadBackStandIn};
    ScopedTestProcedure nonContinuous_{catalogue::kProcedureNonContinuous, &ReadBackStandIn};
    ScopedTestProcedure screenAction_{catalogue::kProcedureScreenAction, &ScreenActionStandIn};
    ScopedPluginTest theft_{catalogue::kTheftDeterrenceGroup, &TheftStandIn};
    ScopedPluginTest pip_{catalogue::kZoningPipGroup, &PipStandIn};
};

}  // namespace kestrova::engine::testing
