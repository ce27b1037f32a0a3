// Linked only into the test build of the library: at load it serves the two fake monitors
// through the monitor-config back end. After every change of handles the counts of live ones and
// of those given out go into the process environment, where the program still reads them once it
// has unloaded the library.
#include <cstdlib>
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

// BREVLINK_FAKE_VANISH_AFTER_READS=N: after N Get VCP calls every monitor is gone, as when a
// monitor is unplugged in the middle of a run.
BOOL WINAPI
VanishingGet(HANDLE monitor, BYTE code, monitor_config::VcpCodeType* type, LPDWORD current, LPDWORD maximum) {
    static const long limit = [] {
        char text[16] = {};
        return GetEnvironmentVariableA("BREVLINK_FAKE_VANISH_AFTER_READS", text, sizeof(text)) > 0
                   ? std::strtol(text, nullptr, 10)
                   : -1;
    }();
    if (limit >= 0 && Fake().vcpReads >= limit) {
        for (FakeMonitor& each : Fake().monitors) {
            each.vanished = true;
        }
    }
    return FakeApi().getVcpFeatureAndReply(monitor, code, type, current, maximum);
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
        api.getVcpFeatureAndReply = &VanishingGet;
        api.destroyPhysicalMonitors = &CountingDestroy;
        monitor_config::InstallApi(&api);
    }
};

const InstallAtLoad installed;

}  // namespace
}  // namespace brevlink::testing
