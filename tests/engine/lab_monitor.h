// The Brevlink library loaded by path from beside the test program, as the tester loads it, serving
// one lab profile as the current monitor with its capabilities marked in the catalogue.
#pragma once

#include <string>

namespace kestrova::engine::testing {

// A file of the source tree, as the program under test names it (under Wine the tree is on Z:).
std::string SourcePath(const std::string& relative);

// Loads the library on first use, serves `profilePath` (a lab JSON file), enumerates, selects the
// first monitor and marks the catalogue from its capabilities. False when any step fails.
bool UseLabProfile(const std::string& profilePath);

// Sends one lab control command ("fault 1 silent 0x12"); the reply text.
std::string LabCommand(const std::string& command);

}  // namespace kestrova::engine::testing
