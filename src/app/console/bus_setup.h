// What the commands that talk to a monitor share: the bus start-up with the loading error told in
// one line, and the checks on the monitor list.
#pragma once

#include <string>

#include "app/console/console_presenter.h"

namespace kestrova::app::console {

// Where the library was looked for and how to point the tester elsewhere, in one line.
std::string WrapperLoadFailure();

inline constexpr char kNoMonitorFound[] =
    "no monitor was found (check the cable and the monitor's DDC/CI setting, or Brevlink's back end)";

// "there is no monitor 3: the library found 1 (see 'kestrova monitors')".
std::string NoSuchMonitor(int monitor, int found);

// Creates the catalogue and the monitor table and starts the bus with `presenter` installed (the
// caller keeps it installed). False with `error` when the library could not be loaded.
bool StartConsoleBus(ConsolePresenter& presenter, std::string& error);

}  // namespace kestrova::app::console
