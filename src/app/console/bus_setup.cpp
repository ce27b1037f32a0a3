#include "app/console/bus_setup.h"

#include "bus/bus_startup.h"
#include "bus/monitor_table.h"
#include "bus/wrapper_loader.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"

namespace kestrova::app::console {

std::string WrapperLoadFailure() {
    const std::optional<std::string> directory = bus::FindDriverDirectory(platform::SystemShellFolders());
    if (!directory) {
        return "cannot load the wrapper library: the common program files folder is unknown";
    }
    return std::string("cannot load the wrapper library \"") + *directory + bus::kWrapperFileName +
#ifdef _WIN32
           "\" (install Brevlink.dll there)";
#else
           "\" (install libbrevlink.so there, or set CommonProgramFiles to the folder that holds "
           "\"Velmora Displays/Drivers\")";
#endif
}

std::string NoSuchMonitor(int monitor, int found) {
    return "there is no monitor " + std::to_string(monitor) + ": the library found " + std::to_string(found) +
           " (see 'kestrova monitors')";
}

bool StartConsoleBus(ConsolePresenter& presenter, std::string& error) {
    bus::Monitors();
    catalogue::Catalogue();
    catalogue::VcpGroups();
    presenter.MuteErrorBoxes(true);
    const bool started = bus::StartBus();
    presenter.MuteErrorBoxes(false);
    if (!started) {
        error = WrapperLoadFailure();
    }
    return started;
}

}  // namespace kestrova::app::console
