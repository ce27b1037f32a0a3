// Puts the built-in test procedures back in the procedure table, which holds them from the start;
// for tests that replaced them and want the real ones again.
#pragma once

namespace kestrova::engine {

void RegisterTestProcedures();

}  // namespace kestrova::engine
