#include <memory>
#include <utility>

#include "brevlink/exports/backend.h"
#include "brevlink/monitor_config/monitor_config_transport.h"
#include "brevlink/monitor_config/physical_monitors.h"

namespace brevlink {
namespace {

using monitor_config::MonitorConfigTransport;
using monitor_config::PhysicalMonitorInfo;
using monitor_config::PhysicalMonitorSet;

// Every physical monitor Windows enumerates, at positions 1, 2, ... The handles live as long as
// the back end: the library drops it at every new enumeration and when it is unloaded.
class MonitorConfigBackend : public Backend {
  public:
    MonitorConfigBackend(const monitor_config::Api& api, const monitor_config::ProblemLog& log) : set_(api) {
        for (const std::string& problem : set_.Problems()) {
            log("monitor-config: " + problem);
        }
        for (const PhysicalMonitorInfo& monitor : set_.Monitors()) {
            if (transports_.size() >= static_cast<size_t>(sim::kMaxPosition)) {
                log("monitor-config: more than 16 physical monitors; the rest are not served");
                break;
            }
            transports_.push_back(std::make_unique<MonitorConfigTransport>(api, monitor.handle, monitor.edid, log));
        }
    }

    std::vector<MonitorLink> Monitors() override {
        std::vector<MonitorLink> links;
        for (size_t i = 0; i < transports_.size(); ++i) {
            const PhysicalMonitorInfo& monitor = set_.Monitors()[i];
            MonitorLink link;
            link.position = static_cast<int>(i) + 1;
            link.transport = transports_[i].get();
            link.facts.deviceName = monitor.adapterName;
            link.facts.deviceString = monitor.adapterString;
            link.facts.deviceId = monitor.adapterId;
            link.facts.monitorDevice = monitor.monitorName;
            link.facts.monitorString = monitor.monitorString;
            // The tester keeps the display monitor handle in 32 bits, as Windows's handles fit.
            link.facts.monitorHandle =
                static_cast<uint32_t>(reinterpret_cast<uintptr_t>(monitor.displayMonitor) & 0xFFFFFFFFu);
            link.facts.driverName = "VISTA API";
            link.facts.i2cSupport = "Windows Monitor Configuration API";
            link.facts.ddcciSupport = monitor.handle != nullptr ? 1 : 0;
            links.push_back(std::move(link));
        }
        return links;
    }

  private:
    PhysicalMonitorSet set_;  // destroyed after the transports that use its handles
    std::vector<std::unique_ptr<MonitorConfigTransport>> transports_;
};

}  // namespace

std::unique_ptr<Backend> MakeMonitorConfigBackend(std::string& error,
                                                  const std::function<void(const std::string&)>& log) {
    const monitor_config::Api* api = monitor_config::InstalledApiOrNull();
    if (api == nullptr) {
        api = monitor_config::SystemApi(error);
    }
    if (api == nullptr) {
        return nullptr;
    }
    return std::make_unique<MonitorConfigBackend>(*api, log);
}

}  // namespace brevlink
