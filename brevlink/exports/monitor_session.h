// The host side of one monitor: DDC/CI over its bus, the capabilities string read once and
// parsed, the EDID read from 0x50 and decoded, and what the OS and card say about it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/caps/capabilities.h"
#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/ddcci/waiter.h"
#include "brevlink/edid/edid.h"
#include "brevlink/sim/profile.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

class MonitorSession {
  public:
    MonitorSession(int position, I2cTransport& bus, ddcci::Waiter& waiter, sim::HostFacts facts);
    MonitorSession(const MonitorSession&) = delete;
    MonitorSession& operator=(const MonitorSession&) = delete;

    int Position() const { return position_; }
    const sim::HostFacts& Facts() const { return facts_; }

    // `extraWaitMs` is added before the request on a bus that needs waits (the caller's wait
    // and the bus delay); the lab answers at once.
    ddcci::VcpReading GetVcp(uint8_t code, uint32_t extraWaitMs = 0);
    ddcci::SetVcpOutcome SetVcp(uint8_t code, uint16_t value, uint32_t extraWaitMs = 0);

    // Read over DDC/CI on first use and kept, failure included; Reparse() reads again.
    const caps::Capabilities* Capabilities();
    bool Reparse();
    // Replaces what the monitor sent, as if it had sent `text`.
    void OverrideCapabilities(const std::string& text);

    // Read from 0x50 on first use and kept. Null when the monitor gave no EDID.
    const edid::EdidInfo* Edid();
    const std::vector<uint8_t>& EdidBytes();

  private:
    void PreWait(uint32_t ms);

    int position_;
    I2cTransport& bus_;
    ddcci::Waiter& waiter_;
    ddcci::DdcChannel channel_;
    sim::HostFacts facts_;
    bool capsRead_ = false;
    std::optional<caps::Capabilities> caps_;
    bool edidRead_ = false;
    std::vector<uint8_t> edidBytes_;
    std::optional<edid::EdidInfo> edid_;
};

// Base block and up to three extensions: offset 0x80 for the second block, the E-DDC segment
// pointer (0x30) for the later ones. False when the base block cannot be read.
bool ReadEdid(I2cTransport& bus, std::vector<uint8_t>& out);

}  // namespace brevlink
