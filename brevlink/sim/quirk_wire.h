// The state a monitor's quirks keep between exchanges (counters, the seeded choice of corrupted
// replies, a wedged or deaf firmware, the reply before this one), and the changes they make to
// requests and replies on the wire. The display port asks it at each step.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "brevlink/ddcci/packet.h"
#include "brevlink/sim/monitor_model.h"
#include "brevlink/sim/quirks.h"

namespace brevlink::sim {

enum class RequestFate : uint8_t {
    kServe,
    kLose,  // acknowledged, never answered
    kNack,  // not acknowledged: the host sees the bus refuse it
    kNull,  // answered with the null message
};

class QuirkWire {
  public:
    explicit QuirkWire(const Quirks& quirks) : quirks_(quirks), random_(quirks.seed) {}

    // The monitor as it powers on: one in standby (0xD6 not 1) starts deaf when the quirk says so.
    void PowerOn(MonitorModel& model);

    // Before a decoded request is handled.
    RequestFate OnRequest(const ddcci::HostRequest& request);
    // After a Set VCP was handled; `before` is the value the feature held before it.
    void AfterSet(uint8_t code, uint16_t value, uint16_t before, bool applied);
    // The reply to a Get VCP of a code the monitor does not support; false: no reply at all.
    bool UnsupportedReply(uint8_t code, std::optional<ddcci::Packet>& pending) const;
    // The values a Get VCP reply reports, after the range lies and stuck values.
    void AdjustReply(ddcci::VcpReply& reply) const;
    // After a Get VCP was answered: a reverting write falls back to the old value.
    void AfterGet(uint8_t code, MonitorModel& model);
    // The reply as it goes out: one behind, or corrupted on the wire.
    ddcci::Packet OnReply(const ddcci::Packet& reply, bool vcpReply);
    // The capabilities string as the monitor sends it; nullopt: it does not answer.
    std::optional<std::string> CapabilitiesAsSent(const std::string& capabilities) const;

  private:
    bool Mute(const ddcci::HostRequest& request);

    const Quirks& quirks_;
    std::mt19937 random_;
    uint64_t requests_ = 0;
    uint64_t writes_ = 0;
    bool wedged_ = false;
    bool deaf_ = false;
    bool standby_ = false;
    int wakeRequestsLost_ = 0;
    bool gateOpen_ = false;
    bool lastCorrupted_ = false;
    std::optional<ddcci::HostRequest> previousRequest_;
    std::optional<ddcci::Packet> previousReply_;
    std::vector<std::pair<uint8_t, uint16_t>> reverts_;  // code, the value it falls back to
};

// The EDID bytes as the EEPROM hands them out.
std::vector<uint8_t> EdidAsServed(const std::vector<uint8_t>& edid, const Quirks& quirks);

}  // namespace brevlink::sim
