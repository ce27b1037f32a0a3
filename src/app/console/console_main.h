// The command-line front: picks the command and its options and answers the exit status.
#pragma once

#include <string>
#include <vector>

#include "app/console/console_io.h"

namespace kestrova::app::console {

// `args` are the words after the program name.
int ConsoleMain(const std::vector<std::string>& args, const ConsoleIo& io = ConsoleIo{});

}  // namespace kestrova::app::console
