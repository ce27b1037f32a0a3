// The test procedure of the continuous controls (identifier 100600).
#pragma once

#include <cstdint>

#include "engine/test_procedure.h"

namespace kestrova::engine {

// Reads the control's range and value, writes a series of values and reads each back (read/write
// controls), or judges the value against fixed bounds (read-only ones). Appends its findings to
// `result`; true for pass.
bool ContinuousControlTest(uint8_t code, ResultText& result);

}  // namespace kestrova::engine
