// The handlers of the discrete-control procedure that describe or judge values: the value-list
// sweeps, the described values and the read-only checks. Each runs after the first read.
#pragma once

#include "engine/discrete_test_state.h"

namespace kestrova::engine {

// Value-list sweeps over the supported values of the capabilities string (discrete_sweeps.cpp).
void ColorPresetSweep(DiscreteTest& test);  // 0x14
void DisplayModeSweep(DiscreteTest& test);  // 0xDC
void ScalingSweep(DiscreteTest& test);      // 0x86
void LanguageList(DiscreteTest& test);      // 0xCC

// Values that are described, or confirmed by the engineer (discrete_descriptions.cpp).
void InputSourceCheck(DiscreteTest& test);       // 0x60
void SubPixelLayoutCheck(DiscreteTest& test);    // 0xB2
void DisplayTechnologyNote(DiscreteTest& test);  // 0xB6
void ControllerTypeNote(DiscreteTest& test);     // 0xC8
void ActiveControlNote(DiscreteTest& test);      // 0x52
void AutoPivotNote(DiscreteTest& test);          // 0xAA

// Read-only checks (discrete_read_only_checks.cpp).
void ColorTemperatureIncrementCheck(DiscreteTest& test);  // 0x0B
void UsageTimeCheck(DiscreteTest& test);                  // 0xC0
void ApplicationKeyCheck(DiscreteTest& test);             // 0xC6
void VcpVersionCheck(DiscreteTest& test);                 // 0xDF

}  // namespace kestrova::engine
