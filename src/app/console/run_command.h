// 'kestrova run': the wizard walked from the command line, then the results read back from the
// saved report for the exit status and the JUnit file.
#pragma once

#include "app/console/console_io.h"
#include "app/console/run_options.h"

namespace kestrova::app::console {

int RunCommand(const RunOptions& options, const ConsoleIo& io);

}  // namespace kestrova::app::console
