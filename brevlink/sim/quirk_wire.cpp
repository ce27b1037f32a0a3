#include "brevlink/sim/quirk_wire.h"

#include <algorithm>

namespace brevlink::sim {
namespace {

constexpr uint8_t kPowerModeCode = 0xD6;

bool Contains(const std::vector<uint8_t>& codes, uint8_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool SameRequest(const ddcci::HostRequest& a, const ddcci::HostRequest& b) {
    return a.opcode == b.opcode && a.vcpCode == b.vcpCode && a.value == b.value && a.offset == b.offset;
}

}  // namespace

void QuirkWire::PowerOn(MonitorModel& model) {
    const VcpFeature* power = model.Feature(kPowerModeCode);
    standby_ = quirks_.deafInStandby && power != nullptr && power->current != 1;
}

bool QuirkWire::Mute(const ddcci::HostRequest& request) {
    if (wedged_ || deaf_) {
        return true;
    }
    if (standby_) {
        return !(request.opcode == ddcci::kOpSetVcp && request.vcpCode == kPowerModeCode);
    }
    if (wakeRequestsLost_ > 0 && request.opcode != ddcci::kOpSetVcp) {
        --wakeRequestsLost_;
        return true;
    }
    if (quirks_.enableGate && !gateOpen_) {
        // Only the write that opens the gate gets through.
        return !(request.opcode == ddcci::kOpSetVcp && request.vcpCode == quirks_.enableGate->first);
    }
    return false;
}

RequestFate QuirkWire::OnRequest(const ddcci::HostRequest& request) {
    ++requests_;
    if (Mute(request)) {
        return RequestFate::kLose;
    }
    if (quirks_.nackRequestsEvery > 0 && requests_ % static_cast<uint64_t>(quirks_.nackRequestsEvery) == 0) {
        return RequestFate::kNack;
    }
    if (request.opcode == ddcci::kOpSetVcp && quirks_.dropWritesEvery > 0 &&
        ++writes_ % static_cast<uint64_t>(quirks_.dropWritesEvery) == 0) {
        return RequestFate::kLose;
    }
    if (quirks_.nullsBeforeReply > 0 && request.opcode != ddcci::kOpSetVcp) {
        // Too early for this monitor: only a request asked again (after the host's longer retry
        // wait) finds the reply ready.
        const bool again = previousRequest_ && SameRequest(*previousRequest_, request);
        previousRequest_ = request;
        if (!again) {
            return RequestFate::kNull;
        }
        previousRequest_.reset();
    }
    return RequestFate::kServe;
}

void QuirkWire::AfterSet(uint8_t code, uint16_t value, uint16_t before, bool applied) {
    if (quirks_.enableGate && code == quirks_.enableGate->first && value == quirks_.enableGate->second) {
        gateOpen_ = true;
    }
    if (quirks_.wedgeOnWriteOf && code == *quirks_.wedgeOnWriteOf) {
        wedged_ = true;
    }
    if (quirks_.deafWhenInputChanges && code == 0x60 && applied && value != before) {
        deaf_ = true;
    }
    if (quirks_.deafInStandby && code == kPowerModeCode) {
        const bool wakes = standby_ && value == 1;
        standby_ = value != 1;
        if (wakes) {
            wakeRequestsLost_ = quirks_.wakeLatencyRequests;
        }
    }
    if (applied && value != before && Contains(quirks_.revertingCodes, code)) {
        reverts_.emplace_back(code, before);
    }
}

bool QuirkWire::UnsupportedReply(uint8_t code, std::optional<ddcci::Packet>& pending) const {
    ddcci::VcpReply reply;
    reply.vcpCode = code;
    switch (quirks_.unsupported) {
        case UnsupportedAnswer::kResultCode:
            reply.resultCode = ddcci::kResultUnsupported;
            break;
        case UnsupportedAnswer::kZeros:
            break;
        case UnsupportedAnswer::kConstant:
            reply.maximum = 100;
            reply.current = 100;
            break;
        case UnsupportedAnswer::kNoAnswer:
            return false;
        case UnsupportedAnswer::kNull:
            pending = ddcci::BuildNullMessage();
            return true;
    }
    pending = ddcci::BuildReply(ddcci::VcpReplyMessage(reply));
    return true;
}

void QuirkWire::AdjustReply(ddcci::VcpReply& reply) const {
    for (const auto& [code, value] : quirks_.stuckValues) {
        if (code == reply.vcpCode) {
            reply.current = value;
        }
    }
    if (Contains(quirks_.maximumZeroCodes, reply.vcpCode)) {
        reply.maximum = 0;
    }
    if (Contains(quirks_.aboveMaximumCodes, reply.vcpCode)) {
        reply.current = static_cast<uint16_t>(reply.maximum + 50);
    }
}

void QuirkWire::AfterGet(uint8_t code, MonitorModel& model) {
    for (auto it = reverts_.begin(); it != reverts_.end(); ++it) {
        if (it->first == code) {
            if (VcpFeature* feature = model.Feature(code)) {
                feature->current = it->second;
            }
            reverts_.erase(it);
            return;
        }
    }
}

ddcci::Packet QuirkWire::OnReply(const ddcci::Packet& reply, bool vcpReply) {
    ddcci::Packet out = reply;
    if (quirks_.staleReplies && vcpReply) {
        out = previousReply_.value_or(ddcci::BuildNullMessage());
        previousReply_ = reply;
    }
    if (quirks_.corruption == Corruption::kNone || quirks_.corruptionPerMille == 0) {
        return out;
    }
    // A corrupted reply is always followed by a good one, as a retry finds it on real monitors.
    const bool corrupt = !lastCorrupted_ && random_() % 1000 < quirks_.corruptionPerMille;
    lastCorrupted_ = corrupt;
    if (!corrupt || out.size < 3) {
        return out;
    }
    const size_t doubled = quirks_.corruption == Corruption::kDoubledSource ? 0 : 1;
    switch (quirks_.corruption) {
        case Corruption::kDoubledSource:
        case Corruption::kDoubledLength:
            if (out.size < out.bytes.size()) {
                std::copy_backward(out.bytes.begin() + doubled, out.bytes.begin() + out.size,
                                   out.bytes.begin() + out.size + 1);
                ++out.size;
            }
            break;
        case Corruption::kFill:
            std::fill(out.bytes.begin(), out.bytes.begin() + out.size, quirks_.fillByte);
            break;
        case Corruption::kNone:
            break;
    }
    return out;
}

std::optional<std::string> QuirkWire::CapabilitiesAsSent(const std::string& capabilities) const {
    if (quirks_.capabilitiesSilent) {
        return std::nullopt;
    }
    if (quirks_.capabilitiesEmpty) {
        return std::string();
    }
    std::string sent = capabilities;
    for (int i = 1; i < quirks_.capabilitiesRepeat; ++i) {
        sent += capabilities;
    }
    return sent;
}

std::vector<uint8_t> EdidAsServed(const std::vector<uint8_t>& edid, const Quirks& quirks) {
    if (!quirks.edidBlocksSwapped || edid.size() < 256) {
        return edid;
    }
    std::vector<uint8_t> swapped(edid);
    std::swap_ranges(swapped.begin(), swapped.begin() + 128, swapped.begin() + 128);
    return swapped;
}

}  // namespace brevlink::sim
