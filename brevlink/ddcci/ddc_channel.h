// The host side of DDC/CI over one bus: requests out, replies checked, retried and reassembled,
// with the standard's pauses when the bus is real. Keep one channel per display for as long as
// the display is used: the channel remembers when the next request may go out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "brevlink/ddcci/packet.h"
#include "brevlink/ddcci/waiter.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink::ddcci {

// Pauses of the DDC/CI standard, in ms.
constexpr uint32_t kGetVcpReplyDelayMs = 40;        // Get VCP request -> read the reply
constexpr uint32_t kTimingReplyDelayMs = 40;        // Timing Request -> read the report
constexpr uint32_t kCapabilitiesReplyDelayMs = 50;  // Capabilities request -> read the fragment
constexpr uint32_t kTableReadReplyDelayMs = 50;     // Table Read request -> read the fragment
constexpr uint32_t kMessageGapMs = 50;              // end of one exchange -> next request
constexpr uint32_t kSaveSettingsGapMs = 200;        // Save Current Settings -> next request

constexpr size_t kMaxCapabilitiesBytes = 4096;
constexpr size_t kMaxTableBytes = 4096;

enum class DdcStatus {
    kOk,
    kUnsupported,  // result code 1: the display does not know the VCP code
    kBusError,     // the transport failed to write or read
    kNoReply,      // only zeros came back
    kNullMessage,  // only null messages came back
    kBadChecksum,
    kGarbage,         // no DDC/CI frame: wrong address byte or length
    kInvalidReply,    // a good frame, but not the reply to this request
    kOffsetMismatch,  // a fragment for another offset than the one asked for
    kTooLong,         // more than the caller's capacity
    kInvalidArgument,
};

const char* DdcStatusName(DdcStatus status);

struct ChannelOptions {
    int maxAttempts = 3;  // per request (per fragment for multi-part reads); at least 1
};

// What happened on the wire during one operation, for diagnostics and the lab's checks.
struct ExchangeStats {
    int requests = 0;  // writes to the display, retries included
    int nullMessages = 0;
    int checksumErrors = 0;
    int zeroReads = 0;
    int garbage = 0;  // unframed reads and replies to something else
    int offsetMismatches = 0;
    uint32_t quirks = kQuirkNone;  // accepted deviations (Quirk bits)
};

struct VcpReading {
    DdcStatus status = DdcStatus::kBusError;
    VcpReply reply;
    Packet sent;      // 6E 51 82 01 code chk
    Packet received;  // last frame parsed, one source byte: byte 3 is the result code; raw bytes when unframed
    ExchangeStats stats;
};

struct SetVcpOutcome {
    DdcStatus status = DdcStatus::kBusError;  // only whether the bus took the bytes: no reply exists
    Packet sent;  // the full 8 bytes 6E 51 84 03 code vh vl chk; RequestBody() gives the 6-byte form
    ExchangeStats stats;
};

struct TimingRead {
    DdcStatus status = DdcStatus::kBusError;
    TimingReport report;
    ExchangeStats stats;
};

struct MultiPartRead {
    DdcStatus status = DdcStatus::kBusError;
    size_t size = 0;  // bytes reassembled (also on failure: what arrived before it)
    ExchangeStats stats;
};

struct CapabilitiesRead {
    DdcStatus status = DdcStatus::kBusError;
    std::string text;  // up to the first NUL; at most kMaxCapabilitiesBytes
    ExchangeStats stats;
};

class DdcChannel {
  public:
    DdcChannel(I2cTransport& bus, Waiter& waiter, ChannelOptions options = {});

    VcpReading GetVcp(uint8_t vcpCode);
    // Sent once: a display does not acknowledge Set VCP; read back to verify.
    SetVcpOutcome SetVcp(uint8_t vcpCode, uint16_t value);
    CapabilitiesRead ReadCapabilities();
    // Fragments from offset 0 until an empty one; kTooLong when more than `capacity` arrive.
    MultiPartRead TableRead(uint8_t vcpCode, uint8_t* out, size_t capacity);
    // Split into fragments of kMaxTableWriteData bytes at increasing offsets, closed by a fragment
    // without data at the offset after the last byte; at most kMaxTableBytes.
    DdcStatus TableWrite(uint8_t vcpCode, uint16_t offset, const uint8_t* data, size_t size);
    DdcStatus SaveSettings();
    TimingRead GetTimingReport();

  private:
    // One request and the read of its reply; kOk when a non-null frame came back.
    DdcStatus Exchange(const Packet& request,
                       uint32_t replyDelayMs,
                       size_t readSize,
                       ReplyFrame& reply,
                       Packet& received,
                       ExchangeStats& stats);
    // A request that has no reply, retried only when the bus refuses it.
    DdcStatus SendOnly(const Packet& request, uint32_t gapMs, ExchangeStats& stats);
    bool Send(const Packet& request, ExchangeStats& stats);
    void Pause(uint32_t ms);
    void WaitForGap();
    void SetGap(uint32_t ms);
    MultiPartRead ReadFragments(bool table, uint8_t vcpCode, uint8_t* out, size_t capacity);

    I2cTransport& bus_;
    Waiter& waiter_;
    ChannelOptions options_;
    uint64_t nextRequestAtMs_ = 0;
};

}  // namespace brevlink::ddcci
