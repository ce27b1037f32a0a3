// The checks the procedures share around restore and auto-setup commands: a guarded read of a
// control, a check of its value against an expectation, and a wait for a reset to complete.
#pragma once

#include <cstdint>

#include "engine/test_procedure.h"

namespace kestrova::engine {

enum class CheckMode {
    ExpectTestValue,  // the control must now hold the value just written
    ExpectUnchanged,  // the command just sent must not have touched the control
    ExpectReset,      // the command just sent must have moved the control away from the test value
};

struct VcpReading {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t current = 0;
};

// Reads a listed control with up to three tries (16 ms and 32 ms apart); an unlisted control reads
// as zeros without a word. A control that never answers clears `pass` and appends the failure lines.
VcpReading ReadVcpForCheck(uint8_t code, bool& pass, ResultText& result);

// Compares a listed control's current value with `expected` according to `mode`.
void CheckVcpValue(uint8_t code, int32_t expected, bool& pass, ResultText& result, CheckMode mode);

// Polls the VCP version (or brightness) once a second until the monitor answers again.
void WaitForResetComplete();

}  // namespace kestrova::engine
