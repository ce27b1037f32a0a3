// Linked only into the test build of the library: at load it serves the two fake monitors
// through the monitor-config back end. After every change of handles the counts of live ones and
// of those given out go into the process environment, where the program still reads them once it
// has unloaded the library.
#include <string>

#include "tests/brevlink/monitor_config/fake_monitor_config.h"

namespace brevlink::testing {
namespace {

void PublishCounts() {
    SetEnvironmentVariableA("BREVLINK_FAKE_LIVE_HANDLES", std::to_string(Fake().liveHandles).c_str());
    SetEnvironmentVariableA("BREVLINK_FAKE_HANDLES_GIVEN", std::to_string(Fake().handlesGiven).c_str());
}

BOOL WINAPI CountingGet(HMONITOR monitor, DWORD count, LPPHYSICAL_MONITOR monitors) {
    const BOOL result = FakeApi().getPhysicalMonitors(monitor, count, monitors);
    PublishCounts();
    return result;
}

BOOL WINAPI CountingDestroy(DWORD count, LPPHYSICAL_MONITOR monitors) {
    const BOOL result = FakeApi().destroyPhysicalMonitors(count, monitors);
    PublishCounts();
    return result;
}

struct InstallAtLoad {
    InstallAtLoad() {
        UseTwoFakeMonitors();
        static monitor_config::Api api = FakeApi();
        api.getPhysicalMonitors = &CountingGet;
        api.destroyPhysicalMonitors = &CountingDestroy;
        monitor_config::InstallApi(&api);
    }
};

const InstallAtLoad installed;

}  // namespace
}  // namespace brevlink::testing
