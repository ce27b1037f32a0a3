#include "bus/bus_startup.h"

#include "bus/monitor_table.h"
#include "bus/vcp_primitives.h"
#include "bus/wrapper_loader.h"

namespace kestrova::bus {

bool StartBus(platform::ShellFolders& folders, platform::SettingsStore& settings) {
    RawByteLog = false;
    if (!LocateAndLoadWrapper(folders)) {
        ShowLoadingError();
        return false;
    }
    PrepareBus();
    EnumerateMonitors(settings);
    currentMonitor = 0;
    return true;
}

}  // namespace kestrova::bus
