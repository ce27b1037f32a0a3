#include "brevlink/exports/monitor_session.h"

#include <algorithm>
#include <utility>

namespace brevlink {
namespace {

constexpr uint8_t kEdidBusAddress = 0x50;
constexpr uint8_t kSegmentAddress = 0x30;
constexpr size_t kEdidBlock = 128;
constexpr size_t kMaxExtensions = 3;

bool ReadBlock(I2cTransport& bus, size_t index, uint8_t* out) {
    uint8_t offset = static_cast<uint8_t>((index % 2) * kEdidBlock);
    if (index < 2) {
        return bus.Write(kEdidBusAddress, &offset, 1) && bus.Read(kEdidBusAddress, out, kEdidBlock);
    }
    // The EEPROM forgets the segment at the next STOP: segment, offset and read go out as one
    // transfer joined by repeated starts.
    uint8_t segment = static_cast<uint8_t>(index / 2);
    I2cMessage messages[] = {
        {kSegmentAddress, false, &segment, 1},
        {kEdidBusAddress, false, &offset, 1},
        {kEdidBusAddress, true, out, kEdidBlock},
    };
    return bus.Transfer(messages, 3);
}

}  // namespace

bool ReadEdid(I2cTransport& bus, std::vector<uint8_t>& out) {
    out.assign(kEdidBlock, 0);
    if (!ReadBlock(bus, 0, out.data())) {
        out.clear();
        return false;
    }
    const size_t extensions = std::min<size_t>(out[126], kMaxExtensions);
    for (size_t i = 1; i <= extensions; ++i) {
        std::vector<uint8_t> block(kEdidBlock);
        if (!ReadBlock(bus, i, block.data())) {
            break;  // the decoder reports the missing blocks as truncation
        }
        out.insert(out.end(), block.begin(), block.end());
    }
    return true;
}

MonitorSession::MonitorSession(int position, I2cTransport& bus, ddcci::Waiter& waiter, sim::HostFacts facts)
    : position_(position), bus_(bus), waiter_(waiter), channel_(bus, waiter), facts_(std::move(facts)) {}

void MonitorSession::PreWait(uint32_t ms) {
    if (ms > 0 && bus_.NeedsBusWaits()) {
        waiter_.WaitMs(ms);
    }
}

ddcci::VcpReading MonitorSession::GetVcp(uint8_t code, uint32_t extraWaitMs) {
    PreWait(extraWaitMs);
    return channel_.GetVcp(code);
}

ddcci::SetVcpOutcome MonitorSession::SetVcp(uint8_t code, uint16_t value, uint32_t extraWaitMs) {
    PreWait(extraWaitMs);
    return channel_.SetVcp(code, value);
}

const caps::Capabilities* MonitorSession::Capabilities() {
    if (!capsRead_) {
        Reparse();
    }
    return caps_ ? &*caps_ : nullptr;
}

bool MonitorSession::Reparse() {
    capsRead_ = true;
    caps_.reset();
    const ddcci::CapabilitiesRead read = channel_.ReadCapabilities();
    if (read.status != ddcci::DdcStatus::kOk || read.text.empty()) {
        return false;
    }
    caps_ = caps::ParseCapabilities(read.text);
    return true;
}

void MonitorSession::OverrideCapabilities(const std::string& text) {
    capsRead_ = true;
    caps_ = caps::ParseCapabilities(text);
}

const edid::EdidInfo* MonitorSession::Edid() {
    if (!edidRead_) {
        edidRead_ = true;
        edid::EdidInfo info;
        if (ReadEdid(bus_, edidBytes_) && edid::Decode(edidBytes_, info)) {
            edid_ = info;
        }
    }
    return edid_ ? &*edid_ : nullptr;
}

const std::vector<uint8_t>& MonitorSession::EdidBytes() {
    Edid();
    return edidBytes_;
}

}  // namespace brevlink
