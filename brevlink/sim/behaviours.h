// Behaviours: small hooks that make features act on each other the way a monitor's firmware
// does. A profile names the ones its monitor has; new ones (audio, OSD, power, theft, PIP,
// presets) are one class each plus a line in the name table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "brevlink/sim/monitor_model.h"

namespace brevlink::sim {

class Behaviour {
  public:
    virtual ~Behaviour() = default;
    // A host write reached the monitor; true when the behaviour took it over (the plain store
    // is then skipped and the write counts as applied).
    virtual bool OnSet(MonitorModel& /*model*/, uint8_t /*code*/, uint16_t /*value*/) { return false; }
    // Before a Get VCP reply is built; may change what is answered.
    virtual void OnGet(MonitorModel& /*model*/, uint8_t /*code*/, FeatureAnswer& /*answer*/) {}
    // A control's value changed, by the host or on the panel.
    virtual void OnChanged(MonitorModel& /*model*/, uint8_t /*code*/, ChangeSource /*source*/) {}
    // What the engineer saw on the screen of this behaviour's doing since the last look, a line
    // each ending in '\n'; looking forgets it.
    virtual void Look(std::string& /*seen*/) {}
};

// Null for a name that is not in the table.
std::unique_ptr<Behaviour> MakeBehaviour(std::string_view name);
// The names a profile may use, in table order.
std::vector<std::string> BehaviourNames();
// What a monitor gets when its profile names none.
std::vector<std::string> StandardBehaviours();

}  // namespace brevlink::sim
