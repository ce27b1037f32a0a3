// The theft deterrence plug-in test of a Manual run (group 3): enables theft mode with the test
// PIN, checks what may and may not be read back, tries to disable it with two wrong PINs, has the
// engineer power-cycle the monitor to provoke the theft state, and disables it with the right PIN.
// Thirteen steps, one row each in the "Theft Deterrence Manual Test" table.
#pragma once

namespace kestrova::engine {

// Runs the whole test on the test thread once the engineer agrees to start; a "No" to the first
// box leaves report and monitor untouched. Every step runs whatever the steps before found.
void TheftDeterrenceTest();

}  // namespace kestrova::engine
