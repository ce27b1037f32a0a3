#include "engine/test_procedures.h"

#include "engine/continuous_control_test.h"
#include "engine/discrete_control_test.h"
#include "engine/manual_screen_test.h"
#include "engine/test_procedure.h"
#include "engine/vcp_tag.h"

namespace kestrova::engine {

void RegisterTestProcedures() {
    SetTestProcedure(kProcedureContinuous, &ContinuousControlTest);
    SetTestProcedure(kProcedureScreenAction, &ManualScreenTest);
    SetTestProcedure(kProcedureNonContinuous, &DiscreteControlTest);
}

}  // namespace kestrova::engine
