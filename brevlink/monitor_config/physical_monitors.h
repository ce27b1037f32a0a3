// One enumeration of the physical monitors behind every display monitor, in the order Windows
// gives them, each matched to its monitor device (names and the EDID in the registry). The set
// owns the physical monitor handles and destroys them when it goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "brevlink/monitor_config/monitor_config_api.h"

namespace brevlink::monitor_config {

struct PhysicalMonitorInfo {
    HANDLE handle = nullptr;  // null: the API gave no physical monitor, so there is no DDC/CI
    HMONITOR displayMonitor = nullptr;
    std::string adapterName;    // "\\.\DISPLAY1"
    std::string adapterString;  // the display adapter's name
    std::string adapterId;      // its PnP id
    std::string monitorName;    // "\\.\DISPLAY1\Monitor0"; empty when no device matched
    std::string monitorString;  // the monitor device's text, else the physical monitor's description
    std::string interfaceName;  // the monitor device's interface, the key to its EDID
    std::vector<uint8_t> edid;  // empty when the registry holds none
};

class PhysicalMonitorSet {
  public:
    explicit PhysicalMonitorSet(const Api& api);
    ~PhysicalMonitorSet();
    PhysicalMonitorSet(const PhysicalMonitorSet&) = delete;
    PhysicalMonitorSet& operator=(const PhysicalMonitorSet&) = delete;

    const std::vector<PhysicalMonitorInfo>& Monitors() const { return monitors_; }
    // What could not be enumerated, one line each, for the diag log.
    const std::vector<std::string>& Problems() const { return problems_; }

  private:
    void AddDisplayMonitor(HMONITOR displayMonitor);

    const Api& api_;
    std::vector<std::vector<PHYSICAL_MONITOR>> handleArrays_;  // as the API handed them out
    std::vector<PhysicalMonitorInfo> monitors_;
    std::vector<std::string> problems_;
};

// A text of the system (UTF-16) as the library's texts are kept (the ANSI code page).
std::string Narrow(const wchar_t* text);

}  // namespace brevlink::monitor_config
