// The picture-in-picture and zoning plug-in test of a Manual run (group 5): opens, resizes, fades,
// moves and recolours the PIP window, and after each of its eight steps asks the engineer whether
// the screen did what was asked. Each answer is one row of the "PIP and Zoning Manual Test" table.
#pragma once

#include <cstdint>

#include "engine/plugin_step.h"

namespace kestrova::engine {

// Runs the whole test on the test thread once the engineer agrees to start; a "No" to the first
// box leaves report and monitor untouched. Never polls the stop request.
void PipZoningTest();

// Selects the PIP window and places it in the top left corner, then shows it. Notes every code it
// writes but the final show.
void OpenPipWindow(PluginCodeList& codes);

// Places the PIP window at (x1, y1)-(x2, y2) and shows it, noting every code it writes.
void SetPipWindow(PluginCodeList& codes, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2);

}  // namespace kestrova::engine
