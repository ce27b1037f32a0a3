// Whatever a host writes to a display: the request parser and decoder on each write, and the
// simulated compliant monitor (DDC/CI at 0x37, its EDID EEPROM at 0x50 and 0x30) taking a whole
// session of such transactions and still answering in well-formed frames.
//
// Input: transactions one after the other, each one byte choosing the address and the direction,
// one length byte, then (for a write) that many bytes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "brevlink/ddcci/packet.h"
#include "brevlink/sim/profile_json.h"
#include "brevlink/sim/sim_monitor.h"
#include "fuzz/common/fuzz_support.h"

namespace {

using namespace brevlink::ddcci;
using kestrova::fuzz::Check;

bool SameMessage(const Message& a, const Message& b) {
    return a.size == b.size && std::memcmp(a.bytes.data(), b.bytes.data(), a.size) == 0;
}

// The message a host would build for the decoded request.
Message Rebuilt(const HostRequest& request) {
    switch (request.opcode) {
        case kOpGetVcp:
            return GetVcpRequest(request.vcpCode);
        case kOpSetVcp:
            return SetVcpRequest(request.vcpCode, request.value);
        case kOpCapabilitiesRequest:
            return CapabilitiesRequest(request.offset);
        case kOpTableRead:
            return TableReadRequest(request.vcpCode, request.offset);
        case kOpTableWrite:
            return TableWriteRequest(request.vcpCode, request.offset, request.data.data(), request.dataSize);
        default:
            return SaveSettingsRequest();
    }
}

// The parser's promises on one write to 0x37; the decoded request when there is one.
std::optional<HostRequest> CheckRequest(const uint8_t* data, size_t size) {
    RequestFrame frame;
    const FrameStatus status = ParseRequestWrite(kDisplayAddress, data, size, frame);
    if (status != FrameStatus::kOk && status != FrameStatus::kNullMessage) {
        Check(frame.message.size == 0);
        return std::nullopt;
    }
    Check((status == FrameStatus::kNullMessage) == (frame.message.size == 0));
    // The frame is exactly what a host sends for its message; bytes after it are ignored.
    const Packet sent = BuildRequest(frame.message);
    Check(sent.size - 1 <= size && std::memcmp(sent.Data() + 1, data, sent.size - 1) == 0);
    HostRequest request;
    if (!DecodeHostRequest(frame.message, request)) {
        Check(request.opcode == frame.message.Opcode());
        return std::nullopt;
    }
    Check(request.dataSize <= kMaxFragmentData);
    Check(SameMessage(Rebuilt(request), frame.message));
    return request;
}

const brevlink::sim::MonitorProfile& Compliant() {
    static const brevlink::sim::LabProfile profile = brevlink::sim::BuiltinProfile();
    return profile.monitors.front();
}

// A read from 0x37 after `request`: a compliant monitor answers in frames the host accepts.
void CheckAnswer(const std::optional<HostRequest>& request, const uint8_t* wire, size_t size) {
    ReplyFrame reply;
    const FrameStatus status = ParseReply(wire, size, reply);
    if (size < 3) {
        return;  // a read cut shorter than any frame
    }
    const size_t frameSize = 3 + (size > 1 ? (wire[1] & 0x7Fu) : 0);
    if (frameSize > size) {
        Check(status == FrameStatus::kBadLength);
        return;
    }
    Check(status == FrameStatus::kOk || status == FrameStatus::kNullMessage);
    if (!request || status == FrameStatus::kNullMessage) {
        return;
    }
    if (request->opcode == kOpGetVcp) {
        VcpReply vcp;
        Check(DecodeVcpReply(reply.message, vcp) && vcp.vcpCode == request->vcpCode);
    } else if (request->opcode == kOpCapabilitiesRequest) {
        Fragment fragment;
        Check(DecodeFragment(reply.message, kOpCapabilitiesReply, fragment) && fragment.offset == request->offset);
        const std::string& text = Compliant().capabilities;
        const size_t expected =
            request->offset < text.size() ? std::min(text.size() - request->offset, kMaxFragmentData) : 0;
        Check(fragment.size == expected);
        Check(std::memcmp(fragment.data, text.data() + std::min<size_t>(request->offset, text.size()), expected) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brevlink::sim::SimMonitor monitor(Compliant());
    brevlink::sim::SimBus& bus = monitor.Bus();
    kestrova::fuzz::ByteReader input(data, size);
    std::optional<HostRequest> lastRequest;
    std::array<uint8_t, 256> buffer{};
    for (int transaction = 0; transaction < 64 && !input.Empty(); ++transaction) {
        const uint8_t kind = input.Byte();
        const size_t length = input.Byte();
        const bool write = (kind & 1) == 0;
        const uint8_t address = (kind >> 1) % 3 == 0   ? kDisplayAddress
                                : (kind >> 1) % 3 == 1 ? brevlink::sim::kEdidAddress
                                                       : brevlink::sim::kSegmentPointerAddress;
        if (write) {
            const std::string_view bytes = input.Bytes(length);
            const auto* written = reinterpret_cast<const uint8_t*>(bytes.data());
            if (address == kDisplayAddress) {
                lastRequest = CheckRequest(written, bytes.size());
                Check(bus.Write(address, written, bytes.size()));
            } else {
                bus.Write(address, written, bytes.size());
            }
            continue;
        }
        buffer.fill(0xA5);
        const bool read = bus.Read(address, buffer.data(), length);
        Check(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(length), buffer.end(),
                          [](uint8_t b) { return b == 0xA5; }));
        if (address == kDisplayAddress) {
            if (read) {
                CheckAnswer(lastRequest, buffer.data(), length);
            }
            lastRequest.reset();
        }
    }
    return 0;
}
