#include "brevlink/ddcci/packet.h"

#include <algorithm>
#include <cstring>

namespace brevlink::ddcci {

namespace {

constexpr uint8_t kDestinationByte = kDisplayByte;
constexpr size_t kRequestHeader = 3;  // 6E 51 len
constexpr size_t kReplyHeader = 2;    // 6E len

uint8_t High(uint16_t value) {
    return static_cast<uint8_t>(value >> 8);
}

uint8_t Low(uint16_t value) {
    return static_cast<uint8_t>(value & 0xFF);
}

uint16_t Word(uint8_t high, uint8_t low) {
    return static_cast<uint16_t>((high << 8) | low);
}

bool IsFragmentOpcode(uint8_t opcode) {
    return opcode == kOpCapabilitiesReply || opcode == kOpTableReadReply;
}

Message FromBytes(std::initializer_list<uint8_t> bytes) {
    Message message;
    for (uint8_t b : bytes) {
        message.Append(b);
    }
    return message;
}

// Length byte, payload and checksum after `header` already in `packet`.
void Seal(Packet& packet, const Message& message, uint8_t seed) {
    packet.bytes[packet.size++] = static_cast<uint8_t>(kLengthFlag | message.size);
    std::memcpy(packet.bytes.data() + packet.size, message.bytes.data(), message.size);
    packet.size += message.size;
    packet.bytes[packet.size] = XorBytes(seed, packet.bytes.data(), packet.size);
    packet.size++;
}

}  // namespace

bool Message::Append(const uint8_t* data, size_t count) {
    if (count > bytes.size() - size) {
        return false;
    }
    std::memcpy(bytes.data() + size, data, count);
    size += count;
    return true;
}

uint8_t XorBytes(uint8_t seed, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        seed ^= data[i];
    }
    return seed;
}

Message GetVcpRequest(uint8_t vcpCode) {
    return FromBytes({kOpGetVcp, vcpCode});
}

Message SetVcpRequest(uint8_t vcpCode, uint16_t value) {
    return FromBytes({kOpSetVcp, vcpCode, High(value), Low(value)});
}

Message CapabilitiesRequest(uint16_t offset) {
    return FromBytes({kOpCapabilitiesRequest, High(offset), Low(offset)});
}

Message TableReadRequest(uint8_t vcpCode, uint16_t offset) {
    return FromBytes({kOpTableRead, vcpCode, High(offset), Low(offset)});
}

Message TableWriteRequest(uint8_t vcpCode, uint16_t offset, const uint8_t* data, size_t size) {
    Message message = FromBytes({kOpTableWrite, vcpCode, High(offset), Low(offset)});
    if (data != nullptr) {
        message.Append(data, std::min(size, kMaxTableWriteData));
    }
    return message;
}

Message SaveSettingsRequest() {
    return FromBytes({kOpSaveSettings});
}

Message TimingRequest() {
    return FromBytes({kOpTimingRequest});
}

bool DecodeTimingReport(const Message& message, TimingReport& out) {
    out = TimingReport{};
    if (message.size != 6 || message.bytes[0] != kOpTimingReply) {
        return false;
    }
    out.status = message.bytes[1];
    out.horizontalTenHz = Word(message.bytes[2], message.bytes[3]);
    out.verticalHundredthHz = Word(message.bytes[4], message.bytes[5]);
    return true;
}

Message TimingReplyMessage(const TimingReport& report) {
    return FromBytes({kOpTimingReply, report.status, High(report.horizontalTenHz), Low(report.horizontalTenHz),
                      High(report.verticalHundredthHz), Low(report.verticalHundredthHz)});
}

Packet BuildRequest(const Message& message) {
    Packet packet;
    packet.bytes[packet.size++] = kDestinationByte;
    packet.bytes[packet.size++] = kHostSourceByte;
    Seal(packet, message, 0);
    return packet;
}

Packet RequestBody(const Packet& request) {
    Packet body;
    if (request.size > 2) {
        body.size = request.size - 2;
        std::memcpy(body.bytes.data(), request.bytes.data() + 2, body.size);
    }
    return body;
}

FrameStatus ParseReply(const uint8_t* wire, size_t size, ReplyFrame& out) {
    out = ReplyFrame{};
    if (wire == nullptr || size == 0) {
        return FrameStatus::kTooShort;
    }
    if (std::all_of(wire, wire + size, [](uint8_t b) { return b == 0; })) {
        return FrameStatus::kAllZero;
    }
    if (wire[0] != kDisplayByte) {
        return FrameStatus::kBadAddress;
    }
    size_t start = 0;
    if (size > 1 && wire[1] == kDisplayByte) {
        // 0x6E can never be a length byte (it would mean 110 bytes without the flag).
        start = 1;
        out.quirks |= kQuirkDoubledSource;
    }
    const uint8_t* frame = wire + start;
    const size_t available = size - start;
    if (available < kReplyHeader + 1) {
        return FrameStatus::kTooShort;
    }
    if ((frame[1] & kLengthFlag) == 0) {
        out.quirks |= kQuirkMissingLengthFlag;
    }
    const size_t length = frame[1] & 0x7F;
    if (length > kMaxPayload) {
        return FrameStatus::kBadLength;
    }
    const size_t frameSize = kReplyHeader + length + 1;
    if (frameSize > available) {
        return FrameStatus::kBadLength;
    }
    if (XorBytes(kVirtualHostAddress, frame, frameSize - 1) != frame[frameSize - 1]) {
        return FrameStatus::kBadChecksum;
    }
    std::memcpy(out.frame.bytes.data(), frame, frameSize);
    out.frame.size = frameSize;
    out.message.Append(frame + kReplyHeader, length);
    if (length == 0) {
        return FrameStatus::kNullMessage;
    }
    return FrameStatus::kOk;
}

bool DecodeVcpReply(const Message& message, VcpReply& out) {
    out = VcpReply{};
    const auto& b = message.bytes;
    if (message.size < 3 || b[0] != kOpGetVcpReply) {
        return false;
    }
    out.resultCode = b[1];
    out.vcpCode = b[2];
    if (message.size == 8) {
        out.type = b[3];
        out.maximum = Word(b[4], b[5]);
        out.current = Word(b[6], b[7]);
        return true;
    }
    return out.resultCode == kResultUnsupported;
}

bool DecodeFragment(const Message& message, uint8_t replyOpcode, Fragment& out) {
    out = Fragment{};
    if (message.size < 3 || message.bytes[0] != replyOpcode) {
        return false;
    }
    out.offset = Word(message.bytes[1], message.bytes[2]);
    out.data = message.bytes.data() + 3;
    out.size = message.size - 3;
    return true;
}

FrameStatus ParseRequest(const uint8_t* wire, size_t size, RequestFrame& out, RequestRules rules) {
    out = RequestFrame{};
    if (wire == nullptr || size < kRequestHeader + 1) {
        return FrameStatus::kTooShort;
    }
    if (std::all_of(wire + 1, wire + size, [](uint8_t b) { return b == 0; })) {
        return FrameStatus::kAllZero;
    }
    if (wire[0] != kDestinationByte || (rules.requireHostSource && wire[1] != kHostSourceByte)) {
        return FrameStatus::kBadAddress;
    }
    if ((wire[2] & kLengthFlag) == 0) {
        return FrameStatus::kBadLength;
    }
    const size_t length = wire[2] & 0x7F;
    if (length > kMaxRequestPayload || kRequestHeader + length + 1 > size) {
        return FrameStatus::kBadLength;
    }
    const size_t frameSize = kRequestHeader + length + 1;
    if (rules.verifyChecksum && XorBytes(0, wire, frameSize - 1) != wire[frameSize - 1]) {
        return FrameStatus::kBadChecksum;
    }
    out.message.Append(wire + kRequestHeader, length);
    return length == 0 ? FrameStatus::kNullMessage : FrameStatus::kOk;
}

FrameStatus ParseRequestWrite(uint8_t address,
                              const uint8_t* data,
                              size_t size,
                              RequestFrame& out,
                              RequestRules rules) {
    out = RequestFrame{};
    if (data == nullptr || size + 1 > kMaxFrame) {
        return size + 1 > kMaxFrame ? FrameStatus::kBadLength : FrameStatus::kTooShort;
    }
    std::array<uint8_t, kMaxFrame> wire{};
    wire[0] = static_cast<uint8_t>(address << 1);
    std::memcpy(wire.data() + 1, data, size);
    return ParseRequest(wire.data(), size + 1, out, rules);
}

bool DecodeHostRequest(const Message& message, HostRequest& out) {
    out = HostRequest{};
    const auto& b = message.bytes;
    out.opcode = message.Opcode();
    switch (out.opcode) {
        case kOpGetVcp:
            out.vcpCode = b[1];
            return message.size == 2;
        case kOpSetVcp:
            out.vcpCode = b[1];
            out.value = Word(b[2], b[3]);
            return message.size == 4;
        case kOpCapabilitiesRequest:
            out.offset = Word(b[1], b[2]);
            return message.size == 3;
        case kOpTableRead:
            out.vcpCode = b[1];
            out.offset = Word(b[2], b[3]);
            return message.size == 4;
        case kOpTableWrite:
            // More than a request may carry would not fit the data either.
            if (message.size < 4 || message.size > kMaxRequestPayload) {
                return false;
            }
            out.vcpCode = b[1];
            out.offset = Word(b[2], b[3]);
            out.dataSize = message.size - 4;
            std::memcpy(out.data.data(), b.data() + 4, out.dataSize);
            return true;
        case kOpSaveSettings:
        case kOpTimingRequest:
            return message.size == 1;
        default:
            return false;
    }
}

Message VcpReplyMessage(const VcpReply& reply) {
    return FromBytes({kOpGetVcpReply, reply.resultCode, reply.vcpCode, reply.type, High(reply.maximum),
                      Low(reply.maximum), High(reply.current), Low(reply.current)});
}

Message FragmentReplyMessage(uint8_t replyOpcode, uint16_t offset, const uint8_t* data, size_t size) {
    Message message = FromBytes({replyOpcode, High(offset), Low(offset)});
    if (data != nullptr) {
        message.Append(data, std::min(size, message.bytes.size() - message.size));
    }
    return message;
}

Packet BuildReply(const Message& message, ReplyFault fault) {
    Message sent = message;
    if (fault == ReplyFault::kWrongOffset && IsFragmentOpcode(sent.Opcode()) && sent.size >= 3) {
        const uint16_t wrong = static_cast<uint16_t>(Word(sent.bytes[1], sent.bytes[2]) + 1);
        sent.bytes[1] = High(wrong);
        sent.bytes[2] = Low(wrong);
    }
    if (fault == ReplyFault::kNullMessage) {
        return BuildNullMessage();
    }
    Packet packet;
    packet.bytes[packet.size++] = kDisplayByte;
    Seal(packet, sent, kVirtualHostAddress);
    switch (fault) {
        case ReplyFault::kBadChecksum:
            packet.bytes[packet.size - 1] ^= 0xFF;
            break;
        case ReplyFault::kMissingLengthFlag:
            // The display computes its checksum over the byte it sends.
            packet.bytes[1] &= static_cast<uint8_t>(~kLengthFlag);
            packet.bytes[packet.size - 1] ^= kLengthFlag;
            break;
        case ReplyFault::kDoubledSource:
            std::memmove(packet.bytes.data() + 1, packet.bytes.data(), packet.size);
            packet.size++;
            break;
        case ReplyFault::kAllZero:
            // As long as any read of the host, so that no padding follows the zeros.
            std::fill(packet.bytes.begin(), packet.bytes.end(), 0);
            packet.size = packet.bytes.size();
            break;
        default:
            break;
    }
    return packet;
}

Packet BuildNullMessage() {
    Packet packet;
    packet.bytes[packet.size++] = kDisplayByte;
    Seal(packet, Message{}, kVirtualHostAddress);
    return packet;
}

}  // namespace brevlink::ddcci
