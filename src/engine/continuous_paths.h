// The paths of the continuous-control test, one per kind of control. Each appends its findings to
// the result text and answers pass.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/continuous_checks.h"
#include "engine/test_procedure.h"

namespace kestrova::engine {

// The colour temperature request (0x0C), swept in steps of the monitor's increment (0x0B).
bool TestColourTemperature(ResultText& result);
// A read/write control: swept, read back, and in Manual mode confirmed by the engineer.
bool TestReadWriteControl(uint8_t code, ResultText& result);
// A read-only control: its value judged against fixed bounds.
bool TestReadOnlyControl(uint8_t code, ResultText& result);

// The range and current value a path starts from. On failure appends "...FAIL to get current" and,
// when the monitor said so, that the code is unsupported.
std::optional<VcpReading> ReadStartValue(uint8_t code, ResultText& result);

}  // namespace kestrova::engine
