#include "brevlink/ddcci/ddc_channel.h"

#include <algorithm>
#include <cstring>

namespace brevlink::ddcci {

namespace {

// A bus whose address a kernel driver holds fails the same way however often it is asked; a
// display that did not acknowledge, or a bus fault, may pass on the next attempt.
bool WorthRetrying(DdcStatus status, const I2cTransport& bus) {
    return status != DdcStatus::kBusError || bus.LastFailure() != BusFailure::kBusy;
}

DdcStatus FromFrameStatus(FrameStatus status, ExchangeStats& stats) {
    switch (status) {
        case FrameStatus::kOk:
            return DdcStatus::kOk;
        case FrameStatus::kNullMessage:
            stats.nullMessages++;
            return DdcStatus::kNullMessage;
        case FrameStatus::kAllZero:
            stats.zeroReads++;
            return DdcStatus::kNoReply;
        case FrameStatus::kBadChecksum:
            stats.checksumErrors++;
            return DdcStatus::kBadChecksum;
        case FrameStatus::kTooShort:
        case FrameStatus::kBadAddress:
        case FrameStatus::kBadLength:
            break;
    }
    stats.garbage++;
    return DdcStatus::kGarbage;
}

Packet CopyBytes(const uint8_t* data, size_t size) {
    Packet packet;
    packet.size = std::min(size, packet.bytes.size());
    std::memcpy(packet.bytes.data(), data, packet.size);
    return packet;
}

}  // namespace

const char* DdcStatusName(DdcStatus status) {
    switch (status) {
        case DdcStatus::kOk:
            return "ok";
        case DdcStatus::kUnsupported:
            return "unsupported VCP code";
        case DdcStatus::kBusError:
            return "bus error";
        case DdcStatus::kNoReply:
            return "no reply";
        case DdcStatus::kNullMessage:
            return "null message";
        case DdcStatus::kBadChecksum:
            return "bad checksum";
        case DdcStatus::kGarbage:
            return "garbled reply";
        case DdcStatus::kInvalidReply:
            return "unexpected reply";
        case DdcStatus::kOffsetMismatch:
            return "fragment offset mismatch";
        case DdcStatus::kTooLong:
            return "reply too long";
        case DdcStatus::kInvalidArgument:
            return "invalid argument";
    }
    return "unknown";
}

DdcChannel::DdcChannel(I2cTransport& bus, Waiter& waiter, ChannelOptions options)
    : bus_(bus), waiter_(waiter), options_(options) {
    options_.maxAttempts = std::max(options_.maxAttempts, 1);
}

void DdcChannel::Pause(uint32_t ms) {
    if (bus_.NeedsBusWaits() && ms > 0) {
        waiter_.WaitMs(ms);
    }
}

void DdcChannel::WaitForGap() {
    if (!bus_.NeedsBusWaits()) {
        return;
    }
    const uint64_t now = waiter_.NowMs();
    if (now < nextRequestAtMs_) {
        waiter_.WaitMs(static_cast<uint32_t>(nextRequestAtMs_ - now));
    }
}

void DdcChannel::SetGap(uint32_t ms) {
    if (bus_.NeedsBusWaits()) {
        nextRequestAtMs_ = waiter_.NowMs() + ms;
    }
}

bool DdcChannel::Send(const Packet& request, ExchangeStats& stats) {
    WaitForGap();
    stats.requests++;
    // The transport addresses the display itself: the bytes after the address byte travel.
    return bus_.Write(kDisplayAddress, request.Data() + 1, request.size - 1);
}

DdcStatus DdcChannel::Exchange(const Packet& request,
                               uint32_t replyDelayMs,
                               size_t readSize,
                               ReplyFrame& reply,
                               Packet& received,
                               ExchangeStats& stats) {
    if (!Send(request, stats)) {
        SetGap(kMessageGapMs);
        return DdcStatus::kBusError;
    }
    Pause(replyDelayMs);
    std::array<uint8_t, kPacketCapacity> raw{};
    readSize = std::min(readSize, raw.size());
    const bool read = bus_.Read(kDisplayAddress, raw.data(), readSize);
    if (!read) {
        SetGap(kMessageGapMs);
        received = Packet{};
        return DdcStatus::kBusError;
    }
    const FrameStatus frame = ParseReply(raw.data(), readSize, reply);
    received = reply.frame.size > 0 ? reply.frame : CopyBytes(raw.data(), readSize);
    stats.quirks |= reply.quirks;
    // A display that has handed over its reply is ready for the next request; one that sent
    // nothing usable gets the message gap before it is asked again.
    SetGap(frame == FrameStatus::kOk ? 0 : kMessageGapMs);
    return FromFrameStatus(frame, stats);
}

DdcStatus DdcChannel::SendOnly(const Packet& request, uint32_t gapMs, ExchangeStats& stats) {
    for (int attempt = 0; attempt < options_.maxAttempts; ++attempt) {
        const bool sent = Send(request, stats);
        SetGap(gapMs);
        if (sent) {
            return DdcStatus::kOk;
        }
        if (!WorthRetrying(DdcStatus::kBusError, bus_)) {
            break;
        }
    }
    return DdcStatus::kBusError;
}

VcpReading DdcChannel::GetVcp(uint8_t vcpCode) {
    VcpReading result;
    result.sent = BuildRequest(GetVcpRequest(vcpCode));
    for (int attempt = 0; attempt < options_.maxAttempts; ++attempt) {
        ReplyFrame frame;
        result.status =
            Exchange(result.sent, kGetVcpReplyDelayMs, kVcpReplyReadSize, frame, result.received, result.stats);
        if (!WorthRetrying(result.status, bus_)) {
            return result;
        }
        if (result.status != DdcStatus::kOk) {
            continue;
        }
        VcpReply reply;
        if (!DecodeVcpReply(frame.message, reply) || reply.vcpCode != vcpCode) {
            // A reply to some earlier request, or not a VCP reply at all: ask again.
            result.stats.garbage++;
            result.status = DdcStatus::kInvalidReply;
            continue;
        }
        result.reply = reply;
        if (reply.resultCode == kResultUnsupported) {
            result.status = DdcStatus::kUnsupported;
            return result;
        }
        if (reply.resultCode != kResultNoError) {
            result.stats.garbage++;
            result.status = DdcStatus::kInvalidReply;
            continue;
        }
        return result;
    }
    return result;
}

SetVcpOutcome DdcChannel::SetVcp(uint8_t vcpCode, uint16_t value) {
    SetVcpOutcome result;
    result.sent = BuildRequest(SetVcpRequest(vcpCode, value));
    result.status = SendOnly(result.sent, kMessageGapMs, result.stats);
    return result;
}

DdcStatus DdcChannel::SaveSettings() {
    ExchangeStats stats;
    return SendOnly(BuildRequest(SaveSettingsRequest()), kSaveSettingsGapMs, stats);
}

DdcStatus DdcChannel::TableWrite(uint8_t vcpCode, uint16_t offset, const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0 || size > kMaxTableBytes || offset + size > 0xFFFF) {
        return DdcStatus::kInvalidArgument;
    }
    ExchangeStats stats;
    // The last pass sends the empty fragment that tells the display the table is complete.
    for (size_t done = 0;;) {
        const size_t chunk = std::min(kMaxTableWriteData, size - done);
        const auto at = static_cast<uint16_t>(offset + done);
        const DdcStatus status =
            SendOnly(BuildRequest(TableWriteRequest(vcpCode, at, data + done, chunk)), kMessageGapMs, stats);
        if (status != DdcStatus::kOk || chunk == 0) {
            return status;
        }
        done += chunk;
    }
}

TimingRead DdcChannel::GetTimingReport() {
    TimingRead result;
    const Packet request = BuildRequest(TimingRequest());
    for (int attempt = 0; attempt < options_.maxAttempts; ++attempt) {
        ReplyFrame frame;
        Packet received;
        result.status = Exchange(request, kTimingReplyDelayMs, kTimingReplySize + 1, frame, received, result.stats);
        if (!WorthRetrying(result.status, bus_)) {
            return result;
        }
        if (result.status != DdcStatus::kOk) {
            continue;
        }
        if (!DecodeTimingReport(frame.message, result.report)) {
            result.stats.garbage++;
            result.status = DdcStatus::kInvalidReply;
            continue;
        }
        return result;
    }
    return result;
}

MultiPartRead DdcChannel::ReadFragments(bool table, uint8_t vcpCode, uint8_t* out, size_t capacity) {
    MultiPartRead result;
    const uint8_t replyOpcode = table ? kOpTableReadReply : kOpCapabilitiesReply;
    const uint32_t delay = table ? kTableReadReplyDelayMs : kCapabilitiesReplyDelayMs;
    size_t offset = 0;
    // Every accepted fragment but the last adds at least one byte, so `capacity` bounds the loop.
    for (;;) {
        const auto at = static_cast<uint16_t>(offset);
        const Packet request = BuildRequest(table ? TableReadRequest(vcpCode, at) : CapabilitiesRequest(at));
        ReplyFrame frame;
        Fragment fragment;
        bool accepted = false;
        for (int attempt = 0; attempt < options_.maxAttempts && !accepted; ++attempt) {
            Packet received;
            result.status = Exchange(request, delay, kFragmentReadSize, frame, received, result.stats);
            if (!WorthRetrying(result.status, bus_)) {
                return result;
            }
            if (result.status != DdcStatus::kOk) {
                continue;
            }
            if (!DecodeFragment(frame.message, replyOpcode, fragment)) {
                result.stats.garbage++;
                result.status = DdcStatus::kInvalidReply;
            } else if (fragment.offset != offset) {
                // A stale or misplaced fragment: taking it would corrupt the reassembly.
                result.stats.offsetMismatches++;
                result.status = DdcStatus::kOffsetMismatch;
            } else {
                accepted = true;
            }
        }
        if (!accepted) {
            return result;
        }
        if (fragment.size == 0) {
            result.status = DdcStatus::kOk;
            return result;
        }
        if (fragment.size > capacity - result.size || offset + fragment.size > 0xFFFF) {
            result.status = DdcStatus::kTooLong;
            return result;
        }
        std::memcpy(out + result.size, fragment.data, fragment.size);
        result.size += fragment.size;
        offset += fragment.size;
    }
}

MultiPartRead DdcChannel::TableRead(uint8_t vcpCode, uint8_t* out, size_t capacity) {
    if (out == nullptr) {
        MultiPartRead result;
        result.status = DdcStatus::kInvalidArgument;
        return result;
    }
    return ReadFragments(true, vcpCode, out, capacity);
}

CapabilitiesRead DdcChannel::ReadCapabilities() {
    std::array<uint8_t, kMaxCapabilitiesBytes> buffer{};
    const MultiPartRead read = ReadFragments(false, 0, buffer.data(), buffer.size());
    CapabilitiesRead result;
    result.status = read.status;
    result.stats = read.stats;
    // Some displays end the string with a NUL inside the last fragment.
    const auto* end = std::find(buffer.data(), buffer.data() + read.size, uint8_t{0});
    result.text.assign(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(end - buffer.data()));
    return result;
}

}  // namespace brevlink::ddcci
