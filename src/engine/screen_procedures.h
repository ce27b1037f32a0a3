// The screen-action commands, one procedure each; all answer pass and append to the result text.
#pragma once

#include "engine/test_procedure.h"

namespace kestrova::engine {

bool TestRestoreFactoryDefaults(ResultText& result);  // 0x04
bool TestRestoreLuminance(ResultText& result);        // 0x05
bool TestRestoreGeometry(ResultText& result);         // 0x06
bool TestRestoreColour(ResultText& result);           // 0x08
bool TestAutoSetup(ResultText& result);               // 0x1E
bool TestAutoColourSetup(ResultText& result);         // 0x1F

}  // namespace kestrova::engine
