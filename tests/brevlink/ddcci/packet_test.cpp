#include "brevlink/ddcci/packet.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace brevlink::ddcci {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const Packet& packet) {
    return Bytes(packet.bytes.begin(), packet.bytes.begin() + static_cast<std::ptrdiff_t>(packet.size));
}

Bytes ToBytes(const Message& message) {
    return Bytes(message.bytes.begin(), message.bytes.begin() + static_cast<std::ptrdiff_t>(message.size));
}

const Bytes kVcpReplyWire = {0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x12, 0x34, 0xAB, 0xCD, 0xE4};

TEST(PacketTest, BuildsTheWireBytesOfTheStandard) {
    const uint8_t table[] = {0x01, 0x02, 0x03};
    struct Case {
        const char* name;
        Packet packet;
        Bytes wire;
    };
    const Case cases[] = {
        {"get vcp 0x10", BuildRequest(GetVcpRequest(0x10)), {0x6E, 0x51, 0x82, 0x01, 0x10, 0xAC}},
        {"set vcp 0x10", BuildRequest(SetVcpRequest(0x10, 0x1234)), {0x6E, 0x51, 0x84, 0x03, 0x10, 0x12, 0x34, 0x8E}},
        {"capabilities 0", BuildRequest(CapabilitiesRequest(0)), {0x6E, 0x51, 0x83, 0xF3, 0x00, 0x00, 0x4F}},
        {"capabilities 0x20", BuildRequest(CapabilitiesRequest(0x20)), {0x6E, 0x51, 0x83, 0xF3, 0x00, 0x20, 0x6F}},
        {"table read", BuildRequest(TableReadRequest(0x73, 0)), {0x6E, 0x51, 0x84, 0xE2, 0x73, 0x00, 0x00, 0x2A}},
        {"table write",
         BuildRequest(TableWriteRequest(0x73, 0x20, table, 3)),
         {0x6E, 0x51, 0x87, 0xE7, 0x73, 0x00, 0x20, 0x01, 0x02, 0x03, 0x0C}},
        {"save settings", BuildRequest(SaveSettingsRequest()), {0x6E, 0x51, 0x81, 0x0C, 0xB2}},
        {"null message", BuildNullMessage(), {0x6E, 0x80, 0xBE}},
        {"vcp reply", BuildReply(VcpReplyMessage({0x00, 0x10, 0x00, 0x1234, 0xABCD})), kVcpReplyWire},
        {"capabilities fragment",
         BuildReply(FragmentReplyMessage(kOpCapabilitiesReply, 0, reinterpret_cast<const uint8_t*>("(prot"), 5)),
         {0x6E, 0x88, 0xE3, 0x00, 0x00, 0x28, 0x70, 0x72, 0x6F, 0x74, 0x64}},
        {"empty fragment",
         BuildReply(FragmentReplyMessage(kOpCapabilitiesReply, 0x20, nullptr, 0)),
         {0x6E, 0x83, 0xE3, 0x00, 0x20, 0x7E}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToBytes(c.packet), c.wire) << c.name;
    }
}

TEST(PacketTest, RequestBodyIsTheSixVaryingBytesOfSetVcp) {
    EXPECT_EQ(ToBytes(RequestBody(BuildRequest(SetVcpRequest(0x10, 0x1234)))),
              (Bytes{0x84, 0x03, 0x10, 0x12, 0x34, 0x8E}));
    EXPECT_EQ(RequestBody(Packet{}).size, 0u);
}

TEST(PacketTest, MessagesKeepToTheirCapacity) {
    Message message;
    const std::vector<uint8_t> big(kMaxPayload + 1, 0xAA);
    EXPECT_FALSE(message.Append(big.data(), big.size()));
    EXPECT_EQ(message.size, 0u);
    EXPECT_TRUE(message.Append(big.data(), kMaxPayload));
    EXPECT_FALSE(message.Append(0x01));

    // A request keeps to the 32-byte payload; a reply may use all the length byte can count.
    EXPECT_EQ(TableWriteRequest(0x73, 0, big.data(), big.size()).size, kMaxRequestPayload);
    EXPECT_EQ(FragmentReplyMessage(kOpTableReadReply, 0, big.data(), big.size()).size, kMaxPayload);
    const Packet longest =
        BuildReply(FragmentReplyMessage(kOpTableReadReply, 0, big.data(), big.size()), ReplyFault::kDoubledSource);
    EXPECT_EQ(longest.size, kMaxFrame);
    ReplyFrame frame;
    EXPECT_EQ(ParseReply(longest.Data(), longest.size, frame), FrameStatus::kOk);
    EXPECT_EQ(frame.message.size, kMaxPayload);
}

struct ReplyCase {
    const char* name;
    Bytes wire;
    FrameStatus status;
    uint32_t quirks;
};

TEST(PacketTest, ParsesRepliesAndTheirMisbehaviour) {
    Bytes noFlag = kVcpReplyWire;
    noFlag[1] = 0x08;
    noFlag[10] ^= 0x80;
    Bytes doubled = kVcpReplyWire;
    doubled.insert(doubled.begin(), 0x6E);
    Bytes badChecksum = kVcpReplyWire;
    badChecksum[10] ^= 0x01;
    Bytes padded = kVcpReplyWire;
    padded.push_back(0xFF);
    Bytes wrongSource = kVcpReplyWire;
    wrongSource[0] = 0x6F;
    Bytes overlong = kVcpReplyWire;
    overlong[1] = 0xFF;
    Bytes truncated(kVcpReplyWire.begin(), kVcpReplyWire.end() - 1);

    const ReplyCase cases[] = {
        {"standard", kVcpReplyWire, FrameStatus::kOk, kQuirkNone},
        {"spare byte read", padded, FrameStatus::kOk, kQuirkNone},
        {"missing length flag", noFlag, FrameStatus::kOk, kQuirkMissingLengthFlag},
        {"doubled source", doubled, FrameStatus::kOk, kQuirkDoubledSource},
        {"bad checksum", badChecksum, FrameStatus::kBadChecksum, kQuirkNone},
        {"null message", {0x6E, 0x80, 0xBE, 0xFF}, FrameStatus::kNullMessage, kQuirkNone},
        {"all zero", Bytes(12, 0), FrameStatus::kAllZero, kQuirkNone},
        {"wrong source", wrongSource, FrameStatus::kBadAddress, kQuirkNone},
        {"idle bus", Bytes(12, 0xFF), FrameStatus::kBadAddress, kQuirkNone},
        {"length beyond the maximum", overlong, FrameStatus::kBadLength, kQuirkNone},
        {"length beyond the bytes read", truncated, FrameStatus::kBadLength, kQuirkNone},
        {"two bytes", {0x6E, 0x80}, FrameStatus::kTooShort, kQuirkNone},
        {"nothing", {}, FrameStatus::kTooShort, kQuirkNone},
    };
    for (const ReplyCase& c : cases) {
        ReplyFrame frame;
        EXPECT_EQ(ParseReply(c.wire.data(), c.wire.size(), frame), c.status) << c.name;
        EXPECT_EQ(frame.quirks & (kQuirkMissingLengthFlag | kQuirkDoubledSource), c.quirks) << c.name;
        if (c.status == FrameStatus::kOk) {
            // The accepted frame has one source byte, so byte 3 is always the result code.
            ASSERT_EQ(frame.frame.size, 11u) << c.name;
            EXPECT_EQ(frame.frame.bytes[3], 0x00) << c.name;
            EXPECT_EQ(ToBytes(frame.message), Bytes(c.wire.begin() + 2 + (c.wire[1] == 0x6E ? 1 : 0),
                                                    c.wire.begin() + 10 + (c.wire[1] == 0x6E ? 1 : 0)))
                << c.name;
        }
    }
}

TEST(PacketTest, DecodesVcpReplies) {
    struct Case {
        const char* name;
        Bytes payload;
        bool ok;
        VcpReply reply;
    };
    const Case cases[] = {
        {"full", {0x02, 0x00, 0x10, 0x00, 0x12, 0x34, 0xAB, 0xCD}, true, {0x00, 0x10, 0x00, 0x1234, 0xABCD}},
        {"momentary", {0x02, 0x00, 0x04, 0x01, 0x00, 0x01, 0x00, 0x00}, true, {0x00, 0x04, 0x01, 1, 0}},
        {"unsupported in full", {0x02, 0x01, 0x99, 0, 0, 0, 0, 0}, true, {0x01, 0x99, 0, 0, 0}},
        {"unsupported cut short", {0x02, 0x01, 0x99}, true, {0x01, 0x99, 0, 0, 0}},
        {"no error cut short", {0x02, 0x00, 0x10, 0x00}, false, {}},
        {"other opcode", {0xE3, 0x00, 0x10, 0x00, 0x12, 0x34, 0xAB, 0xCD}, false, {}},
        {"opcode only", {0x02}, false, {}},
    };
    for (const Case& c : cases) {
        Message message;
        message.Append(c.payload.data(), c.payload.size());
        VcpReply reply;
        EXPECT_EQ(DecodeVcpReply(message, reply), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(reply.resultCode, c.reply.resultCode) << c.name;
            EXPECT_EQ(reply.vcpCode, c.reply.vcpCode) << c.name;
            EXPECT_EQ(reply.type, c.reply.type) << c.name;
            EXPECT_EQ(reply.maximum, c.reply.maximum) << c.name;
            EXPECT_EQ(reply.current, c.reply.current) << c.name;
        }
    }
}

TEST(PacketTest, DecodesFragments) {
    const uint8_t text[] = {'a', 'b'};
    const Message message = FragmentReplyMessage(kOpTableReadReply, 0x0140, text, 2);
    Fragment fragment;
    ASSERT_TRUE(DecodeFragment(message, kOpTableReadReply, fragment));
    EXPECT_EQ(fragment.offset, 0x0140);
    ASSERT_EQ(fragment.size, 2u);
    EXPECT_EQ(fragment.data[1], 'b');

    EXPECT_FALSE(DecodeFragment(message, kOpCapabilitiesReply, fragment));
    Message shortOne;
    shortOne.Append(kOpCapabilitiesReply);
    shortOne.Append(0x00);
    EXPECT_FALSE(DecodeFragment(shortOne, kOpCapabilitiesReply, fragment));
}

TEST(PacketTest, TheDisplayDecodesEveryHostRequest) {
    const uint8_t table[] = {0x10, 0x20, 0x30, 0x40};
    struct Case {
        const char* name;
        Message message;
        HostRequest expected;
    };
    HostRequest write{kOpTableWrite, 0x73, 0, 0x0102, {}, 4};
    std::copy(table, table + 4, write.data.begin());
    const Case cases[] = {
        {"get vcp", GetVcpRequest(0x10), {kOpGetVcp, 0x10, 0, 0, {}, 0}},
        {"set vcp", SetVcpRequest(0x10, 0x1234), {kOpSetVcp, 0x10, 0x1234, 0, {}, 0}},
        {"capabilities", CapabilitiesRequest(0x0120), {kOpCapabilitiesRequest, 0, 0, 0x0120, {}, 0}},
        {"table read", TableReadRequest(0x73, 0x0040), {kOpTableRead, 0x73, 0, 0x0040, {}, 0}},
        {"table write", TableWriteRequest(0x73, 0x0102, table, 4), write},
        {"save settings", SaveSettingsRequest(), {kOpSaveSettings, 0, 0, 0, {}, 0}},
    };
    for (const Case& c : cases) {
        const Packet wire = BuildRequest(c.message);
        RequestFrame frame;
        // As the lab receives it: the transport's address instead of the 0x6E byte.
        ASSERT_EQ(ParseRequestWrite(kDisplayAddress, wire.Data() + 1, wire.size - 1, frame), FrameStatus::kOk)
            << c.name;
        HostRequest request;
        ASSERT_TRUE(DecodeHostRequest(frame.message, request)) << c.name;
        EXPECT_EQ(request.opcode, c.expected.opcode) << c.name;
        EXPECT_EQ(request.vcpCode, c.expected.vcpCode) << c.name;
        EXPECT_EQ(request.value, c.expected.value) << c.name;
        EXPECT_EQ(request.offset, c.expected.offset) << c.name;
        EXPECT_EQ(request.dataSize, c.expected.dataSize) << c.name;
        EXPECT_EQ(request.data, c.expected.data) << c.name;
    }
}

TEST(PacketTest, TheDisplayRejectsBadRequests) {
    struct Case {
        const char* name;
        Bytes afterAddress;
        FrameStatus status;
    };
    const Case cases[] = {
        {"bad checksum", {0x51, 0x82, 0x01, 0x10, 0xAD}, FrameStatus::kBadChecksum},
        {"no source byte", {0x82, 0x01, 0x10, 0xAC}, FrameStatus::kBadAddress},
        {"no length flag", {0x51, 0x02, 0x01, 0x10, 0x2C}, FrameStatus::kBadLength},
        {"cut short", {0x51, 0x82, 0x01}, FrameStatus::kBadLength},
        {"zeros", {0x00, 0x00, 0x00, 0x00}, FrameStatus::kAllZero},
        {"too few", {0x51, 0x80}, FrameStatus::kTooShort},
        {"too many", Bytes(kMaxFrame, 0x51), FrameStatus::kBadLength},
    };
    for (const Case& c : cases) {
        RequestFrame frame;
        EXPECT_EQ(ParseRequestWrite(kDisplayAddress, c.afterAddress.data(), c.afterAddress.size(), frame), c.status)
            << c.name;
    }

    struct Payload {
        const char* name;
        Bytes bytes;
    };
    const Payload wrongSizes[] = {
        {"get vcp without code", {kOpGetVcp}},
        {"set vcp without value", {kOpSetVcp, 0x10, 0x12}},
        {"capabilities offset", {kOpCapabilitiesRequest, 0}},
        {"table read", {kOpTableRead, 0x73, 0}},
        {"table write", {kOpTableWrite, 0x73}},
        {"unknown opcode", {0xF1}},
        {"table write over 32 bytes", Bytes(kMaxRequestPayload + 1, kOpTableWrite)},
        {"table write as long as a reply", Bytes(kMaxPayload, kOpTableWrite)},
    };
    for (const Payload& p : wrongSizes) {
        Message message;
        message.Append(p.bytes.data(), p.bytes.size());
        HostRequest request;
        EXPECT_FALSE(DecodeHostRequest(message, request)) << p.name;
        EXPECT_EQ(request.opcode, p.bytes[0]) << p.name;
    }
}

TEST(PacketTest, TheLabProducesEveryMisbehaviour) {
    const Message vcp = VcpReplyMessage({0x00, 0x10, 0x00, 0x1234, 0xABCD});
    const uint8_t text[] = {'v', 'c', 'p'};
    const Message fragment = FragmentReplyMessage(kOpCapabilitiesReply, 0x40, text, 3);
    struct Case {
        const char* name;
        Packet packet;
        FrameStatus status;
        uint32_t quirks;
    };
    const Case cases[] = {
        {"bad checksum", BuildReply(vcp, ReplyFault::kBadChecksum), FrameStatus::kBadChecksum, kQuirkNone},
        {"missing flag", BuildReply(vcp, ReplyFault::kMissingLengthFlag), FrameStatus::kOk, kQuirkMissingLengthFlag},
        {"doubled source", BuildReply(vcp, ReplyFault::kDoubledSource), FrameStatus::kOk, kQuirkDoubledSource},
        {"null message", BuildReply(vcp, ReplyFault::kNullMessage), FrameStatus::kNullMessage, kQuirkNone},
        {"all zero", BuildReply(vcp, ReplyFault::kAllZero), FrameStatus::kAllZero, kQuirkNone},
        {"wrong offset", BuildReply(fragment, ReplyFault::kWrongOffset), FrameStatus::kOk, kQuirkNone},
    };
    for (const Case& c : cases) {
        ReplyFrame frame;
        EXPECT_EQ(ParseReply(c.packet.Data(), c.packet.size, frame), c.status) << c.name;
        EXPECT_EQ(frame.quirks, c.quirks) << c.name;
    }
    EXPECT_EQ(BuildReply(vcp, ReplyFault::kAllZero).size, kPacketCapacity);

    ReplyFrame frame;
    const Packet wrong = BuildReply(fragment, ReplyFault::kWrongOffset);
    ASSERT_EQ(ParseReply(wrong.Data(), wrong.size, frame), FrameStatus::kOk);
    Fragment decoded;
    ASSERT_TRUE(DecodeFragment(frame.message, kOpCapabilitiesReply, decoded));
    EXPECT_EQ(decoded.offset, 0x41);
    EXPECT_EQ(decoded.size, 3u);
}

// Whatever a monitor sends, the parsers stay inside the bytes they were given.
TEST(PacketTest, ArbitraryBytesNeverBreakTheParsers) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        Bytes wire(random() % (kPacketCapacity + 8));
        for (uint8_t& b : wire) {
            b = static_cast<uint8_t>(random());
        }
        if (!wire.empty() && round % 2 == 0) {
            wire[0] = kDisplayByte;  // get past the first check often
        }
        if (wire.size() > 1 && round % 4 == 0) {
            wire[1] = static_cast<uint8_t>(kLengthFlag | (random() % (kMaxPayload + 1)));
        }
        ReplyFrame reply;
        ParseReply(wire.data(), wire.size(), reply);
        VcpReply vcp;
        DecodeVcpReply(reply.message, vcp);
        Fragment fragment;
        if (DecodeFragment(reply.message, kOpCapabilitiesReply, fragment)) {
            ASSERT_LE(fragment.size + 3, reply.message.size);
        }
        RequestFrame request;
        ParseRequestWrite(kDisplayAddress, wire.data(), wire.size(), request);
        HostRequest host;
        DecodeHostRequest(request.message, host);
        ASSERT_LE(host.dataSize, kMaxFragmentData);
    }
}

}  // namespace
}  // namespace brevlink::ddcci
