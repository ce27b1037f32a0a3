// 'kestrova monitors', 'kestrova caps' and 'kestrova groups'.
#pragma once

#include "app/console/console_io.h"

namespace kestrova::app::console {

// The monitor list's lines, one a line, in the window's order.
int MonitorsCommand(const ConsoleIo& io);
// The capabilities summary of the `monitor`-th monitor (1-based), as the window logs it.
int CapsCommand(int monitor, const ConsoleIo& io);
// The groups with their letters and codes.
int GroupsCommand(const ConsoleIo& io);

}  // namespace kestrova::app::console
