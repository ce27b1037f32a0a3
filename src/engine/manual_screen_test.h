// The test procedure of the restore-defaults and auto-setup commands (identifier 100800).
#pragma once

#include <cstdint>

#include "engine/test_procedure.h"

namespace kestrova::engine {

// Tests 0x04, 0x05, 0x06, 0x08, 0x1E or 0x1F through the controls each command resets, reading
// them back and, where only the eye can tell, asking the engineer. Any other code fails as not
// tested. Appends its findings to `result`; true for pass.
bool ManualScreenTest(uint8_t code, ResultText& result);

}  // namespace kestrova::engine
