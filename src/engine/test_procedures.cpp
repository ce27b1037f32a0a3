#include "engine/test_procedures.h"

#include "catalogue/vcp_tag.h"
#include "engine/continuous_control_test.h"
#include "engine/discrete_control_test.h"
#include "engine/manual_screen_test.h"
#include "engine/test_procedure.h"

namespace kestrova::engine {

void RegisterTestProcedures() {
    SetTestProcedure(catalogue::kProcedureContinuous, &ContinuousControlTest);
    SetTestProcedure(catalogue::kProcedureScreenAction, &ManualScreenTest);
    SetTestProcedure(catalogue::kProcedureNonContinuous, &DiscreteControlTest);
}

}  // namespace kestrova::engine
