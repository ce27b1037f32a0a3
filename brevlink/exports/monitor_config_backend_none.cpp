#include "brevlink/exports/backend.h"

namespace brevlink {

std::unique_ptr<Backend> MakeMonitorConfigBackend(std::string& error, const std::function<void(const std::string&)>&) {
    error = "the monitor-config back end (the Windows Monitor Configuration API) exists on Windows only";
    return nullptr;
}

}  // namespace brevlink
