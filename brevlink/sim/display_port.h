// The display side of DDC/CI at I2C address 0x37: requests in, replies out, through the same
// packet code the host uses, with the profile's faults applied on the wire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/ddcci/packet.h"
#include "brevlink/sim/monitor_model.h"
#include "brevlink/sim/profile.h"
#include "brevlink/sim/quirk_wire.h"
#include "brevlink/sim/wire_behaviour.h"

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
    void SetWire(const WireBehaviour& wire) { wire_ = wire; }
    // A clock in ms for wire.replyDelayMs; without one the monitor answers at once.
    void SetClock(uint64_t (*clock)()) { clock_ = clock; }
    // A table as the last complete Table Write left it; null before any.
    const std::vector<uint8_t>* Table(uint8_t code) const;

  private:
    void AnswerGetVcp(uint8_t code);
    void AnswerSetVcp(uint8_t code, uint16_t value);
    void AnswerCapabilities(uint16_t offset);
    // display_port_wire.cpp: the wire choices, the Timing Report and the tables.
    ddcci::RequestRules Rules() const;
    void NoteRequest();
    // True (with a null message in `data`) while the reply is not ready yet.
    bool NotReadyYet(uint8_t* data, size_t size);
    size_t FragmentSize() const;
    void AnswerTiming();
    void AnswerTableRead(uint8_t code, uint16_t offset);
    void AnswerTableWrite(const ddcci::HostRequest& request);

    MonitorModel& model_;
    std::string capabilities_;
    Faults faults_;
    QuirkWire quirkWire_{faults_.quirks};
    std::optional<ddcci::Packet> pending_;
    int zeroRepliesLeft_ = 0;
    WireBehaviour wire_;
    uint64_t (*clock_)() = nullptr;
    uint64_t requestAtMs_ = 0;
    std::map<uint8_t, std::vector<uint8_t>> tables_;  // complete tables
    std::map<uint8_t, std::vector<uint8_t>> drafts_;  // Table Writes not yet closed
};

}  // namespace brevlink::sim
