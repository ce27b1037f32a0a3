// The lab: the simulated monitors of one profile, found by attach position.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "brevlink/sim/profile.h"
#include "brevlink/sim/sim_monitor.h"

namespace brevlink::sim {

class Lab {
  public:
    explicit Lab(const LabProfile& profile);

    const LabProfile& Profile() const { return profile_; }
    // Null when no monitor sits at `position`.
    SimMonitor* AtPosition(int position);
    // Bit p set for a monitor at position p (1..16).
    uint32_t AttachMask() const;
    const std::vector<std::unique_ptr<SimMonitor>>& Monitors() const { return monitors_; }

  private:
    LabProfile profile_;
    std::vector<std::unique_ptr<SimMonitor>> monitors_;
};

}  // namespace brevlink::sim
