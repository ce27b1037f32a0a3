// Whatever a display sends back: the frame parser on the raw bytes, then the host channel (Get
// VCP, capabilities, table reads, with their retries) over a bus that replays the input.
//
// Input: one byte choosing the operation, the VCP code, one byte sizing the caller's buffer for a
// table read, then the bytes every read of the display returns, one read after the other.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/ddcci/packet.h"
#include "fuzz/common/fuzz_support.h"
#include "fuzz/ddcci/replay_transport.h"

namespace {

using namespace brevlink::ddcci;
using kestrova::fuzz::Check;

class NoWaiter : public Waiter {
  public:
    void WaitMs(uint32_t) override {}
    uint64_t NowMs() override { return 0; }
};

bool SameBytes(const Packet& a, const Packet& b) {
    return a.size == b.size && std::memcmp(a.Data(), b.Data(), a.size) == 0;
}

bool SameMessage(const Message& a, const Message& b) {
    return a.size == b.size && std::memcmp(a.bytes.data(), b.bytes.data(), a.size) == 0;
}

// The frame parser's promises on any bytes.
void CheckParseReply(const uint8_t* wire, size_t size) {
    ReplyFrame reply;
    const FrameStatus status = ParseReply(wire, size, reply);
    if (status != FrameStatus::kOk && status != FrameStatus::kNullMessage) {
        Check(reply.frame.size == 0 && reply.message.size == 0);
        return;
    }
    const Packet& frame = reply.frame;
    const size_t start = (reply.quirks & kQuirkDoubledSource) != 0 ? 1 : 0;
    Check(frame.size >= 3 && frame.size <= kMaxFrame && start + frame.size <= size);
    Check(std::memcmp(frame.Data(), wire + start, frame.size) == 0);
    Check(frame.bytes[0] == kDisplayByte && (start == 0 || wire[1] == kDisplayByte));
    Check(reply.message.size == frame.size - 3 && reply.message.size == (frame.bytes[1] & 0x7Fu));
    Check((status == FrameStatus::kNullMessage) == (reply.message.size == 0));
    Check(std::memcmp(reply.message.bytes.data(), frame.Data() + 2, reply.message.size) == 0);
    Check(XorBytes(kVirtualHostAddress, frame.Data(), frame.size - 1) == frame.bytes[frame.size - 1]);
    // The display side builds exactly this frame from the message (with the fault it shows).
    const bool flagMissing = (reply.quirks & kQuirkMissingLengthFlag) != 0;
    Check(flagMissing == ((frame.bytes[1] & kLengthFlag) == 0));
    if (status == FrameStatus::kOk) {
        Check(SameBytes(BuildReply(reply.message, flagMissing ? ReplyFault::kMissingLengthFlag : ReplyFault::kNone),
                        frame));
    }

    VcpReply vcp;
    if (DecodeVcpReply(reply.message, vcp)) {
        Check(reply.message.size == 8 || (reply.message.size >= 3 && vcp.resultCode == kResultUnsupported));
        Check(vcp.vcpCode == reply.message.bytes[2] && vcp.resultCode == reply.message.bytes[1]);
        if (reply.message.size == 8) {
            Check(SameMessage(VcpReplyMessage(vcp), reply.message));
        }
    }
    for (uint8_t opcode : {kOpCapabilitiesReply, kOpTableReadReply}) {
        Fragment fragment;
        if (DecodeFragment(reply.message, opcode, fragment)) {
            Check(reply.message.bytes[0] == opcode && fragment.size + 3 == reply.message.size);
            Check(fragment.size <= kMaxFragmentData + 1);
            Check(fragment.data == reply.message.bytes.data() + 3);
            Check(fragment.offset == ((reply.message.bytes[1] << 8) | reply.message.bytes[2]));
        } else {
            Check(fragment.size == 0 && fragment.data == nullptr);
        }
    }
}

void CheckStats(const ExchangeStats& stats, int writes) {
    Check(stats.requests == writes);
    Check(stats.nullMessages + stats.checksumErrors + stats.zeroReads + stats.offsetMismatches <= stats.requests);
    Check(stats.garbage <= 2 * stats.requests);
}

void FuzzGetVcp(uint8_t code, const uint8_t* wire, size_t size) {
    kestrova::fuzz::ReplayTransport bus(wire, size);
    NoWaiter waiter;
    DdcChannel channel(bus, waiter);
    const VcpReading reading = channel.GetVcp(code);
    CheckStats(reading.stats, bus.Writes());
    Check(reading.stats.requests >= 1 && reading.stats.requests <= ChannelOptions{}.maxAttempts);
    Check(SameBytes(reading.sent, BuildRequest(GetVcpRequest(code))));
    Check(reading.received.size <= kPacketCapacity);
    if (reading.status == DdcStatus::kOk) {
        Check(reading.reply.vcpCode == code && reading.reply.resultCode == kResultNoError);
        Check(reading.received.size == kVcpReplySize);
    } else if (reading.status == DdcStatus::kUnsupported) {
        Check(reading.reply.vcpCode == code && reading.reply.resultCode == kResultUnsupported);
    }
}

void FuzzCapabilities(const uint8_t* wire, size_t size) {
    kestrova::fuzz::ReplayTransport bus(wire, size);
    NoWaiter waiter;
    DdcChannel channel(bus, waiter);
    const CapabilitiesRead read = channel.ReadCapabilities();
    CheckStats(read.stats, bus.Writes());
    Check(read.text.size() <= kMaxCapabilitiesBytes);
    Check(read.text.find('\0') == std::string::npos);
    Check(read.status != DdcStatus::kOk || bus.LastOpcode() == kOpCapabilitiesRequest);
}

void FuzzTableRead(uint8_t code, size_t capacity, const uint8_t* wire, size_t size) {
    constexpr size_t kGuard = 64;
    constexpr uint8_t kUntouched = 0xA5;
    std::vector<uint8_t> buffer(capacity + kGuard, kUntouched);
    kestrova::fuzz::ReplayTransport bus(wire, size);
    NoWaiter waiter;
    DdcChannel channel(bus, waiter);
    const MultiPartRead read = channel.TableRead(code, buffer.data(), capacity);
    CheckStats(read.stats, bus.Writes());
    Check(read.size <= capacity);
    Check(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(capacity), buffer.end(),
                      [](uint8_t b) { return b == kUntouched; }));
    Check(read.status != DdcStatus::kOk || bus.LastOpcode() == kOpTableRead);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckParseReply(data, size);
    kestrova::fuzz::ByteReader input(data, size);
    const uint8_t operation = input.Byte();
    const uint8_t code = input.Byte();
    const size_t capacity = static_cast<size_t>(input.Byte()) * 16;
    const std::string_view wire = input.Rest();
    const auto* bytes = reinterpret_cast<const uint8_t*>(wire.data());
    switch (operation % 3) {
        case 0:
            FuzzGetVcp(code, bytes, wire.size());
            break;
        case 1:
            FuzzCapabilities(bytes, wire.size());
            break;
        default:
            FuzzTableRead(code, capacity, bytes, wire.size());
            break;
    }
    return 0;
}
