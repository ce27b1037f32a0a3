// 'kestrova project new' and 'kestrova project show': the project editor's fields, checks and
// checksum without its dialog.
#pragma once

#include <span>
#include <string>

#include "app/console/console_io.h"
#include "app/console/option_parser.h"

namespace kestrova::app::console {

std::span<const OptionSpec> ProjectNewOptionSpecs();

// Builds the project in the editor's model, refuses it with the editor's check messages, writes
// it and prints its path and checksum.
int ProjectNewCommand(const ParsedOptions& parsed, const ConsoleIo& io);

// Prints the fields of a project file and its checksum.
int ProjectShowCommand(const std::string& path, const ConsoleIo& io);

}  // namespace kestrova::app::console
