// The start-up of the bus that every front shares: locate and load the wrapper (or show the
// loading error), prepare the bus, enumerate the monitors.
#pragma once

#include "platform/settings_store.h"
#include "platform/shell_folders.h"

namespace kestrova::bus {

// False when the wrapper could not be loaded: the loading error box was shown and nothing of the
// bus was touched; the program is to end.
bool StartBus(platform::ShellFolders& folders = platform::SystemShellFolders(),
              platform::SettingsStore& settings = platform::SystemSettingsStore());

}  // namespace kestrova::bus
