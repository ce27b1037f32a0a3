#include "lab_monitor.h"

#include <cstdlib>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "brevlink/brevlink.h"
#include "bus/caps_summary.h"
#include "bus/monitor_table.h"
#include "bus/wrapper_loader.h"
#include "bus/wrapper_table.h"
#include "platform/dynamic_library.h"
#include "platform/settings_store.h"

namespace kestrova::engine::testing {

namespace {

std::string ProgramDirectory() {
#if defined(_WIN32)
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of("\\/") + 1);
#else
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    std::string text(path.data(), length > 0 ? static_cast<size_t>(length) : 0);
    return text.substr(0, text.find_last_of('/') + 1);
#endif
}

void SetBackend(const std::string& value) {
#if defined(_WIN32)
    SetEnvironmentVariableA("BREVLINK_BACKEND", value.c_str());
#else
    setenv("BREVLINK_BACKEND", value.c_str(), 1);
#endif
}

bool LoadOnce() {
    static const bool loaded = bus::LoadWrapper(ProgramDirectory(), bus::kProductKey);
    return loaded;
}

}  // namespace

std::string SourcePath(const std::string& relative) {
#if defined(_WIN32)
    return std::string("Z:") + KESTROVA_SOURCE_DIR + "/" + relative;
#else
    return std::string(KESTROVA_SOURCE_DIR) + "/" + relative;
#endif
}

bool UseLabProfile(const std::string& profilePath) {
    SetBackend("lab:" + profilePath);
    if (!LoadOnce() || bus::Wrapper.WrReEnum() == 0) {
        return false;
    }
    platform::IniSettingsStore none("");
    if (!bus::EnumerateMonitors(none) || bus::Monitors().UsedCount() == 0) {
        return false;
    }
    bus::currentMonitor = 0;
    bus::ShowCapsSummary();
    return true;
}

std::string LabCommand(const std::string& command) {
    auto run = platform::FindFunction<BrevlinkLabCommandFn>(platform::FindLoadedModule(bus::kWrapperFileName),
                                                            "BrevlinkLabCommand");
    if (run == nullptr) {
        return "no lab";
    }
    char reply[4096] = {};
    uint32_t size = sizeof(reply);
    run(command.c_str(), reply, &size);
    return std::string(reply, size < sizeof(reply) ? size : sizeof(reply) - 1);
}

}  // namespace kestrova::engine::testing
