// Fake monitors behind the Monitor Configuration API table: display monitors, their adapters and
// monitor devices, physical monitor handles (counted, so leaks show), VCP features and the faults
// the API can report. State is process-wide, as the system's is.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "brevlink/monitor_config/monitor_config_api.h"
#include "brevlink/sim/monitor_model.h"

namespace brevlink::testing {

struct FakeMonitor {
    std::wstring adapterName;
    std::wstring adapterText;
    std::wstring monitorName;
    std::wstring monitorText;
    std::wstring interfaceName;
    std::vector<uint8_t> edid;  // empty: the registry has none
    std::string capabilities;
    std::shared_ptr<sim::MonitorModel> model;  // the lab's compliant monitor: values and behaviours
    std::map<uint8_t, DWORD> readErrors;       // Get VCP of the code fails with that error
    std::set<uint8_t> failingSets;             // Set VCP fails (I2C error while sending)
    bool vanished = false;                     // every call fails: the monitor is gone
};

struct FakeSystem {
    std::vector<FakeMonitor> monitors;  // one display monitor each, in enumeration order
    int liveHandles = 0;
    int handlesGiven = 0;
    int vcpReads = 0;
};

FakeSystem& Fake();
// Every physical handle given out becomes invalid behind the library's back.
void InvalidateLiveHandles();
const monitor_config::Api& FakeApi();

// Two monitors with the lab's compliant values: the first with the corpus EDID and capabilities
// string (caps/002.txt), a read of 0x62 failing with a checksum error, a read of 0x16 failing on
// the bus and every set of 0x18 failing; the second with the corpus string caps/004.txt and no
// EDID. Codes the lab's monitor lacks answer "not supported".
void UseTwoFakeMonitors();

}  // namespace brevlink::testing
