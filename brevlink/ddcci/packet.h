// DDC/CI packets, both directions, as pure byte work: the host channel builds requests and
// parses replies with it, the simulated monitor parses requests and builds (also faulty) replies.
//
// Every Packet holds the bytes as they travel, starting with the address byte: 0x6E (the
// display's 8-bit address) is the destination of a request and the source of a reply.
// Transports address the display with the 7-bit kDisplayAddress and carry the bytes after it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace brevlink::ddcci {

constexpr uint8_t kDisplayAddress = 0x37;      // 7-bit I2C address of DDC/CI
constexpr uint8_t kDisplayByte = 0x6E;         // the display's 8-bit address on the wire
constexpr uint8_t kHostSourceByte = 0x51;      // source byte of every host request
constexpr uint8_t kVirtualHostAddress = 0x50;  // seeds the reply checksum
constexpr uint8_t kLengthFlag = 0x80;

// Opcodes of the DDC/CI messages handled here.
constexpr uint8_t kOpGetVcp = 0x01;
constexpr uint8_t kOpGetVcpReply = 0x02;
constexpr uint8_t kOpSetVcp = 0x03;
constexpr uint8_t kOpTimingRequest = 0x07;
constexpr uint8_t kOpTimingReply = 0x4E;
constexpr uint8_t kOpSaveSettings = 0x0C;
constexpr uint8_t kOpTableRead = 0xE2;
constexpr uint8_t kOpCapabilitiesReply = 0xE3;
constexpr uint8_t kOpTableReadReply = 0xE4;
constexpr uint8_t kOpTableWrite = 0xE7;
constexpr uint8_t kOpCapabilitiesRequest = 0xF3;

// Result codes of a Get VCP Feature reply.
constexpr uint8_t kResultNoError = 0x00;
constexpr uint8_t kResultUnsupported = 0x01;

constexpr size_t kMaxFragmentData = 32;  // data bytes a display puts in one capabilities/table fragment
// What a host may send after the length byte: opcode and arguments, at most 32 bytes. A Table
// Write (opcode, code, two offset bytes) so carries at most 28 data bytes per fragment.
constexpr size_t kMaxRequestPayload = 32;
constexpr size_t kMaxTableWriteData = kMaxRequestPayload - 4;
// What the length byte can count (7 bits): some displays send longer fragments than the 32 data
// bytes they should, and a reply whose length byte and checksum verify is taken whatever its size.
constexpr size_t kMaxPayload = 0x7F;
constexpr size_t kMaxFrame = 3 + kMaxPayload + 1;        // addresses, length, payload, checksum
constexpr size_t kPacketCapacity = kMaxFrame + 1;        // room for a doubled source byte
constexpr size_t kVcpReplySize = 11;                     // 6E 88 02 rc code type mh ml ch cl chk
constexpr size_t kVcpReplyReadSize = kVcpReplySize + 1;  // one spare byte for a doubled source
constexpr size_t kFragmentReadSize = kMaxFrame;          // the longest reply frame the length byte allows
constexpr size_t kTimingReplySize = 9;                   // 6E 86 4E status hh hl vh vl chk

// The opcode and its arguments: what the length byte counts.
struct Message {
    std::array<uint8_t, kMaxPayload> bytes{};
    size_t size = 0;

    uint8_t Opcode() const { return size > 0 ? bytes[0] : 0; }
    // False (and nothing added) when the message would exceed its capacity.
    bool Append(const uint8_t* data, size_t count);
    bool Append(uint8_t byte) { return Append(&byte, 1); }
};

// Bytes as they travel, the address byte first.
struct Packet {
    std::array<uint8_t, kPacketCapacity> bytes{};
    size_t size = 0;

    const uint8_t* Data() const { return bytes.data(); }
};

// --- checksums -------------------------------------------------------------------------------

// XOR of the bytes; a request's checksum covers its wire bytes from the destination 0x6E on, a
// reply's covers kVirtualHostAddress and then its wire bytes from the source 0x6E on.
uint8_t XorBytes(uint8_t seed, const uint8_t* data, size_t size);

// --- host side: requests out, replies in ------------------------------------------------------

Message GetVcpRequest(uint8_t vcpCode);
Message SetVcpRequest(uint8_t vcpCode, uint16_t value);
Message CapabilitiesRequest(uint16_t offset);
Message TableReadRequest(uint8_t vcpCode, uint16_t offset);
// Up to kMaxTableWriteData bytes; more are cut off (the channel splits longer tables). No data:
// the closing fragment of a table write.
Message TableWriteRequest(uint8_t vcpCode, uint16_t offset, const uint8_t* data, size_t size);
Message SaveSettingsRequest();
Message TimingRequest();

// 6E 51 (80|len) payload checksum.
Packet BuildRequest(const Message& message);

// The 6 bytes from the length byte to the checksum of a Set VCP request (`84 03 10 12 34 8E`):
// everything that varies from one request to the next, without the two fixed address bytes.
// Used where a caller can only show six sent bytes of the 8-byte Set VCP request.
Packet RequestBody(const Packet& request);

enum class FrameStatus {
    kOk,
    kNullMessage,  // 6E 80 BE: the display has nothing to say (busy, or does not know the request)
    kAllZero,      // the bus read back only zeros: no reply ready
    kTooShort,
    kBadAddress,  // the first byte (or the request's source byte) is not what DDC/CI sends
    kBadLength,   // longer than kMaxPayload or than the bytes read
    kBadChecksum,
};

// Deviations from the standard frame that were accepted because the checksum still verifies.
enum Quirk : uint32_t {
    kQuirkNone = 0,
    kQuirkMissingLengthFlag = 1u << 0,  // length byte without 0x80
    kQuirkDoubledSource = 1u << 1,      // 6E 6E 88 ...: the source byte arrived twice
};

struct ReplyFrame {
    Message message;
    Packet frame;  // the accepted frame, normalised to one source byte: byte 3 is the result code
    uint32_t quirks = kQuirkNone;
};

// Parses what a read from the display returned; bytes after the frame are ignored.
FrameStatus ParseReply(const uint8_t* wire, size_t size, ReplyFrame& out);

struct VcpReply {
    uint8_t resultCode = 0;
    uint8_t vcpCode = 0;
    uint8_t type = 0;  // 0 set parameter, 1 momentary
    uint16_t maximum = 0;
    uint16_t current = 0;
};

// False unless the message is a Get VCP Feature reply of the full 8 bytes; an "unsupported"
// reply of only opcode, result and code (some displays cut it short) is accepted too.
bool DecodeVcpReply(const Message& message, VcpReply& out);

// The Timing Report: the sync status byte and the frequencies the display measures.
struct TimingReport {
    uint8_t status = 0;                // bit 7 out of range, bit 6 unstable, bits 1/0 sync polarities
    uint16_t horizontalTenHz = 0;      // horizontal frequency in units of 10 Hz
    uint16_t verticalHundredthHz = 0;  // vertical frequency in units of 0.01 Hz
};

// False unless the message is a Timing Reply (4E status hh hl vh vl).
bool DecodeTimingReport(const Message& message, TimingReport& out);
Message TimingReplyMessage(const TimingReport& report);

struct Fragment {
    uint16_t offset = 0;
    const uint8_t* data = nullptr;  // points into the message
    size_t size = 0;
};

// A capabilities (kOpCapabilitiesReply) or table (kOpTableReadReply) fragment; false when the
// message has another opcode or no offset.
bool DecodeFragment(const Message& message, uint8_t replyOpcode, Fragment& out);

// --- display side: requests in, replies out ---------------------------------------------------

struct RequestFrame {
    Message message;
};

// How strictly the display reads a request. A real display commonly takes any source byte
// (some hosts send 0x50) and does not verify the checksum; a strict one answers neither.
struct RequestRules {
    bool requireHostSource = false;  // only 0x51
    bool verifyChecksum = false;
};

// `wire` starts with the destination byte 0x6E. A payload over kMaxRequestPayload is kBadLength.
FrameStatus ParseRequest(const uint8_t* wire, size_t size, RequestFrame& out, RequestRules rules);
inline FrameStatus ParseRequest(const uint8_t* wire, size_t size, RequestFrame& out) {
    return ParseRequest(wire, size, out, RequestRules{true, true});
}
// What an I2cTransport::Write to `address` carries: the bytes after the address byte.
FrameStatus ParseRequestWrite(uint8_t address,
                              const uint8_t* data,
                              size_t size,
                              RequestFrame& out,
                              RequestRules rules = RequestRules{true, true});

struct HostRequest {
    uint8_t opcode = 0;
    uint8_t vcpCode = 0;
    uint16_t value = 0;   // Set VCP
    uint16_t offset = 0;  // capabilities and tables
    std::array<uint8_t, kMaxRequestPayload> data{};
    size_t dataSize = 0;  // Table Write
};

// False for an unknown opcode or arguments of the wrong size; `out.opcode` is set either way.
bool DecodeHostRequest(const Message& message, HostRequest& out);

Message VcpReplyMessage(const VcpReply& reply);
// As many data bytes as a message holds; the display decides its fragment size.
Message FragmentReplyMessage(uint8_t replyOpcode, uint16_t offset, const uint8_t* data, size_t size);

// The ways the lab makes a reply misbehave like real monitors do.
enum class ReplyFault {
    kNone,
    kBadChecksum,
    kMissingLengthFlag,
    kDoubledSource,
    kWrongOffset,  // a fragment whose offset is one past the one requested
    kNullMessage,  // 6E 80 BE instead of the reply
    kAllZero,      // kPacketCapacity zeros: more than any read of the host
};

// 6E (80|len) payload checksum, then the fault applied.
Packet BuildReply(const Message& message, ReplyFault fault = ReplyFault::kNone);
Packet BuildNullMessage();

}  // namespace brevlink::ddcci
