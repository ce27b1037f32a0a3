// Recording monitors as a lab profile: what each monitor gives over its bus (position, EDID,
// capabilities string, and for every code the capabilities list its type, maximum and current
// value) becomes a profile that the lab can serve again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/sim/profile.h"

namespace brevlink::record {

// One monitor as the bus gave it.
struct MonitorReading {
    int position = 0;
    std::vector<uint8_t> edid;
    std::string capabilities;  // empty when none could be read
    sim::HostFacts facts;
};

// What a Get VCP of `code` brought.
using VcpReader = std::function<ddcci::VcpReading(uint8_t code)>;

struct RecordedMonitor {
    sim::MonitorProfile profile;
    std::vector<uint8_t> unsupported;  // listed, answered "unsupported"
    std::vector<uint8_t> silent;       // listed, never answered: left out of the profile
};

// Reads every code the capabilities list. Whether a code can be written, or only written, is not
// on the wire: it is what the standard defines for the code (StandardAccess).
RecordedMonitor RecordMonitor(const MonitorReading& reading, const VcpReader& read);
sim::VcpAccess StandardAccess(uint8_t code);

// The profile as JSON text, in the lab's profile format.
std::string ProfileJson(const std::string& name,
                        const std::string& origin,
                        const std::vector<RecordedMonitor>& monitors);

}  // namespace brevlink::record
