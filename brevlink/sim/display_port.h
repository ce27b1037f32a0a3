// The display side of DDC/CI at I2C address 0x37: requests in, replies out, through the same
// packet code the host uses, with the profile's faults applied on the wire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "brevlink/ddcci/packet.h"
#include "brevlink/sim/monitor_model.h"
#include "brevlink/sim/profile.h"
#include "brevlink/sim/quirk_wire.h"

namespace brevlink::sim {

class DisplayPort {
  public:
    DisplayPort(MonitorModel& model, std::string capabilities, Faults faults);

    // An I2C write transaction to 0x37 (the bytes after the address byte). Acknowledged, as a
    // monitor does (unless a quirk refuses it); what it makes of the bytes shows in the next read.
    bool Write(const uint8_t* data, size_t size);
    // An I2C read transaction from 0x37: the pending reply, then zeros. False (no acknowledge)
    // when nothing is pending, which is how a code that never answers looks on the bus.
    bool Read(uint8_t* data, size_t size);

    const Faults& CurrentFaults() const { return faults_; }
    Faults& MutableFaults() { return faults_; }
    int ZeroRepliesLeft() const { return zeroRepliesLeft_; }

  private:
    void AnswerGetVcp(uint8_t code);
    void AnswerSetVcp(uint8_t code, uint16_t value);
    void AnswerCapabilities(uint16_t offset);

    MonitorModel& model_;
    std::string capabilities_;
    Faults faults_;
    QuirkWire wire_{faults_.quirks};
    std::optional<ddcci::Packet> pending_;
    int zeroRepliesLeft_ = 0;
};

}  // namespace brevlink::sim
