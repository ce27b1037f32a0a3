// One simulated monitor: its features and behaviours, its DDC/CI port and EDID EEPROM, and the
// bus that reaches both.
#pragma once

#include "brevlink/sim/display_port.h"
#include "brevlink/sim/edid_eeprom.h"
#include "brevlink/sim/monitor_model.h"
#include "brevlink/sim/profile.h"
#include "brevlink/sim/sim_bus.h"

namespace brevlink::sim {

class SimMonitor {
  public:
    explicit SimMonitor(const MonitorProfile& profile)
        : profile_(profile),
          model_(profile),
          port_(model_, profile.capabilities, profile.faults),
          eeprom_(EdidAsServed(profile.edid, profile.faults.quirks)),
          bus_(port_, eeprom_) {
        port_.SetWire(profile.wire);
        eeprom_.SetSegmentAcrossStop(profile.wire.segmentAcrossStop);
    }
    SimMonitor(const SimMonitor&) = delete;
    SimMonitor& operator=(const SimMonitor&) = delete;

    const MonitorProfile& Profile() const { return profile_; }
    MonitorModel& Model() { return model_; }
    DisplayPort& Port() { return port_; }
    SimBus& Bus() { return bus_; }

  private:
    MonitorProfile profile_;
    MonitorModel model_;
    DisplayPort port_;
    EdidEeprom eeprom_;
    SimBus bus_;
};

}  // namespace brevlink::sim
