// The test procedure of the non-continuous controls (identifier 100700): one first read of the
// control, then the handler of its access and code, which describes, judges or drives it.
#pragma once

#include <cstdint>

#include "engine/test_procedure.h"

namespace kestrova::engine {

// Tests one discrete control, appends its findings to `result` and answers pass. Test thread.
bool DiscreteControlTest(uint8_t code, ResultText& result);

}  // namespace kestrova::engine
