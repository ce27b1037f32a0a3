// The current monitor's capabilities: which catalogue codes it lists, and a summary in the log.
#pragma once

#include <string>

namespace kestrova::bus {

// Marks `inCaps` for every code the capabilities list (after clearing all 256), logs the numbers
// of continuous and discrete commands and then the capabilities string in pieces of 80 characters.
void ShowCapsSummary();

// The current monitor's capabilities string as the library holds it (up to 2047 characters, to its
// first NUL), taken under the bus lock.
std::string CurrentCapabilitiesString();

}  // namespace kestrova::bus
