#include "app/console/bus_commands.h"

#include "app/console/bus_setup.h"
#include "app/console/exit_status.h"
#include "app/console/selection_choice.h"
#include "bus/caps_summary.h"
#include "bus/monitor_table.h"

namespace kestrova::app::console {

int MonitorsCommand(const ConsoleIo& io) {
    ConsolePresenter presenter(io.out, io.err, ProgressStyle::kNone);
    op::ScopedPresenter installed(&presenter);
    std::string error;
    if (!StartConsoleBus(presenter, error)) {
        return Fail(io, error);
    }
    const int count = bus::Monitors().UsedCount();
    if (count == 0) {
        return Fail(io, kNoMonitorFound);
    }
    for (int i = 0; i < count; ++i) {
        std::fprintf(io.out, "%s\n", bus::MonitorListText(bus::Monitors()[i]).c_str());
    }
    std::fflush(io.out);
    return kExitPassed;
}

int CapsCommand(int monitor, const ConsoleIo& io) {
    ConsolePresenter presenter(io.out, io.err, ProgressStyle::kNone);
    op::ScopedPresenter installed(&presenter);
    std::string error;
    if (!StartConsoleBus(presenter, error)) {
        return Fail(io, error);
    }
    const int count = bus::Monitors().UsedCount();
    if (count == 0) {
        return Fail(io, kNoMonitorFound);
    }
    if (monitor > count) {
        return Fail(io, NoSuchMonitor(monitor, count));
    }
    bus::currentMonitor = monitor - 1;
    bus::ShowCapsSummary();
    return kExitPassed;
}

int GroupsCommand(const ConsoleIo& io) {
    for (const std::string& line : GroupListing()) {
        std::fprintf(io.out, "%s\n", line.c_str());
    }
    std::fflush(io.out);
    return kExitPassed;
}

}  // namespace kestrova::app::console
