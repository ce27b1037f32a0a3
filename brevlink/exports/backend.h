// A back end gives the library its monitors: a bus per monitor and what the OS and card say.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "brevlink/sim/lab.h"
#include "brevlink/sim/profile.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

struct MonitorLink {
    int position = 0;                   // 1..16
    I2cTransport* transport = nullptr;  // owned by the back end
    sim::HostFacts facts;
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::vector<MonitorLink> Monitors() = 0;
    // The lab behind a simulated back end, for BrevlinkLabCommand; null for real buses.
    virtual sim::Lab* LabOrNull() { return nullptr; }
};

std::unique_ptr<Backend> MakeLabBackend(const sim::LabProfile& profile);

// Null, with `error` set, where the system has no i2c-dev. `log` takes what the buses report
// (an address held by a kernel driver), for stderr and the diag log.
std::unique_ptr<Backend> MakeI2cDevBackend(std::string& error, const std::function<void(const std::string&)>& log);

// Windows's Monitor Configuration API (the system's, or the table a test installed); null, with
// `error` set, where it does not exist. `log` takes the problems met, for the diag log.
std::unique_ptr<Backend> MakeMonitorConfigBackend(std::string& error,
                                                  const std::function<void(const std::string&)>& log);

}  // namespace brevlink
