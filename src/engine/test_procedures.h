// Fills the procedure table with the built-in test procedures. The fronts call it once at start-up,
// before the first run; tests that want the real procedures call it too.
#pragma once

namespace kestrova::engine {

void RegisterTestProcedures();

}  // namespace kestrova::engine
