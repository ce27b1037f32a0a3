#include "brevlink/ddcci/ddc_channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevlink/transport/scripted_transport.h"

namespace brevlink::ddcci {
namespace {

using Bytes = std::vector<uint8_t>;

// Counts the pauses on a clock that moves only when waited on (or when a test moves it).
class FakeWaiter : public Waiter {
  public:
    void WaitMs(uint32_t ms) override {
        waits.push_back(ms);
        now += ms;
    }
    uint64_t NowMs() override { return now; }

    std::vector<uint32_t> waits;
    uint64_t now = 1000;
};

Bytes ToBytes(const Packet& packet) {
    return Bytes(packet.bytes.begin(), packet.bytes.begin() + static_cast<std::ptrdiff_t>(packet.size));
}

// What the transport carries of a request: the bytes after the 0x6E address byte.
void ExpectRequest(ScriptedTransport& bus, const Message& message, bool ack = true) {
    const Bytes wire = ToBytes(BuildRequest(message));
    bus.ExpectWrite(kDisplayAddress, Bytes(wire.begin() + 1, wire.end()), ack);
}

void ExpectReply(ScriptedTransport& bus, const Packet& reply) {
    bus.ExpectRead(kDisplayAddress, ToBytes(reply));
}

Packet VcpReplyPacket(uint8_t code,
                      uint16_t maximum,
                      uint16_t current,
                      ReplyFault fault = ReplyFault::kNone,
                      uint8_t result = kResultNoError) {
    return BuildReply(VcpReplyMessage({result, code, 0x00, maximum, current}), fault);
}

Packet CapsFragment(uint16_t offset, const std::string& text, ReplyFault fault = ReplyFault::kNone) {
    return BuildReply(
        FragmentReplyMessage(kOpCapabilitiesReply, offset, reinterpret_cast<const uint8_t*>(text.data()), text.size()),
        fault);
}

void ExpectCapsExchange(ScriptedTransport& bus, uint16_t offset, const Packet& reply) {
    ExpectRequest(bus, CapabilitiesRequest(offset));
    ExpectReply(bus, reply);
}

void ExpectScriptDone(const ScriptedTransport& bus) {
    EXPECT_EQ(bus.Remaining(), 0u);
    for (const std::string& mismatch : bus.Mismatches()) {
        ADD_FAILURE() << mismatch;
    }
}

TEST(DdcChannelTest, GetVcpHandsBackTheValuesAndTheWireBytes) {
    ScriptedTransport bus;
    ExpectRequest(bus, GetVcpRequest(0x10));
    ExpectReply(bus, VcpReplyPacket(0x10, 0x1234, 0xABCD));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const VcpReading reading = channel.GetVcp(0x10);
    EXPECT_EQ(reading.status, DdcStatus::kOk);
    EXPECT_EQ(reading.reply.vcpCode, 0x10);
    EXPECT_EQ(reading.reply.maximum, 0x1234);
    EXPECT_EQ(reading.reply.current, 0xABCD);
    EXPECT_EQ(ToBytes(reading.sent), (Bytes{0x6E, 0x51, 0x82, 0x01, 0x10, 0xAC}));
    EXPECT_EQ(ToBytes(reading.received), (Bytes{0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x12, 0x34, 0xAB, 0xCD, 0xE4}));
    EXPECT_EQ(reading.stats.requests, 1);
    EXPECT_TRUE(waiter.waits.empty());  // the lab answers at once
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, UnsupportedCodeEndsTheReadAtOnce) {
    ScriptedTransport bus;
    ExpectRequest(bus, GetVcpRequest(0x99));
    ExpectReply(bus, VcpReplyPacket(0x99, 0, 0, ReplyFault::kNone, kResultUnsupported));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const VcpReading reading = channel.GetVcp(0x99);
    EXPECT_EQ(reading.status, DdcStatus::kUnsupported);
    ASSERT_EQ(reading.received.size, 11u);
    EXPECT_EQ(reading.received.bytes[3], kResultUnsupported);
    EXPECT_EQ(reading.stats.requests, 1);
    ExpectScriptDone(bus);
}

// One misbehaving reply and then, where a retry is due, a good one.
struct MisbehaviourCase {
    const char* name;
    Bytes firstReply;  // empty: the read itself fails
    bool writeRefused;
    int requests;  // 1: accepted as it came, 2: retried
    DdcStatus status;
    uint32_t quirks;
    ExchangeStats counted;
};

TEST(DdcChannelTest, GetVcpHandlesEachMisbehaviourDeliberately) {
    const Packet good = VcpReplyPacket(0x10, 100, 50);
    const MisbehaviourCase cases[] = {
        {"bad checksum",
         ToBytes(VcpReplyPacket(0x10, 100, 50, ReplyFault::kBadChecksum)),
         false,
         2,
         DdcStatus::kOk,
         kQuirkNone,
         {.checksumErrors = 1}},
        {"null message", ToBytes(BuildNullMessage()), false, 2, DdcStatus::kOk, kQuirkNone, {.nullMessages = 1}},
        {"all-zero read", Bytes(kVcpReplyReadSize, 0), false, 2, DdcStatus::kOk, kQuirkNone, {.zeroReads = 1}},
        {"garbage", {0x13, 0x37, 0xC0, 0xDE}, false, 2, DdcStatus::kOk, kQuirkNone, {.garbage = 1}},
        {"reply for another code",
         ToBytes(VcpReplyPacket(0x12, 100, 50)),
         false,
         2,
         DdcStatus::kOk,
         kQuirkNone,
         {.garbage = 1}},
        {"capabilities fragment instead",
         ToBytes(CapsFragment(0, "(prot")),
         false,
         2,
         DdcStatus::kOk,
         kQuirkNone,
         {.garbage = 1}},
        {"undefined result code",
         ToBytes(VcpReplyPacket(0x10, 100, 50, ReplyFault::kNone, 0x07)),
         false,
         2,
         DdcStatus::kOk,
         kQuirkNone,
         {.garbage = 1}},
        {"read fails", {}, false, 2, DdcStatus::kOk, kQuirkNone, {}},
        {"write refused", {}, true, 2, DdcStatus::kOk, kQuirkNone, {}},
        // Intact apart from the framing: retrying would meet the same firmware again.
        {"missing length flag",
         ToBytes(VcpReplyPacket(0x10, 100, 50, ReplyFault::kMissingLengthFlag)),
         false,
         1,
         DdcStatus::kOk,
         kQuirkMissingLengthFlag,
         {}},
        {"doubled source",
         ToBytes(VcpReplyPacket(0x10, 100, 50, ReplyFault::kDoubledSource)),
         false,
         1,
         DdcStatus::kOk,
         kQuirkDoubledSource,
         {}},
    };
    for (const MisbehaviourCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransport bus;
        ExpectRequest(bus, GetVcpRequest(0x10), !c.writeRefused);
        if (!c.writeRefused) {
            bus.ExpectRead(kDisplayAddress, c.firstReply, !c.firstReply.empty());
        }
        if (c.requests == 2) {
            ExpectRequest(bus, GetVcpRequest(0x10));
            ExpectReply(bus, good);
        }
        FakeWaiter waiter;
        DdcChannel channel(bus, waiter);

        const VcpReading reading = channel.GetVcp(0x10);
        EXPECT_EQ(reading.status, c.status);
        EXPECT_EQ(reading.reply.maximum, 100);
        EXPECT_EQ(reading.reply.current, 50);
        EXPECT_EQ(reading.stats.requests, c.requests);
        EXPECT_EQ(reading.stats.quirks, c.quirks);
        EXPECT_EQ(reading.stats.checksumErrors, c.counted.checksumErrors);
        EXPECT_EQ(reading.stats.nullMessages, c.counted.nullMessages);
        EXPECT_EQ(reading.stats.zeroReads, c.counted.zeroReads);
        EXPECT_EQ(reading.stats.garbage, c.counted.garbage);
        // As accepted, with one source byte, so that byte 3 is the result code.
        Bytes received = ToBytes(good);
        if (c.requests == 1) {
            received.assign(c.firstReply.begin() + (c.quirks == kQuirkDoubledSource ? 1 : 0), c.firstReply.end());
        }
        EXPECT_EQ(ToBytes(reading.received), received);
        EXPECT_EQ(reading.received.bytes[3], kResultNoError);
        ExpectScriptDone(bus);
    }
}

TEST(DdcChannelTest, RetriesAreBounded) {
    struct Case {
        const char* name;
        Packet reply;
        int maxAttempts;
        int requests;
        DdcStatus status;
    };
    const Case cases[] = {
        {"null messages", BuildNullMessage(), 3, 3, DdcStatus::kNullMessage},
        {"bad checksums", VcpReplyPacket(0x10, 1, 1, ReplyFault::kBadChecksum), 3, 3, DdcStatus::kBadChecksum},
        {"zeros", VcpReplyPacket(0x10, 1, 1, ReplyFault::kAllZero), 5, 5, DdcStatus::kNoReply},
        {"other code", VcpReplyPacket(0x11, 1, 1), 2, 2, DdcStatus::kInvalidReply},
        {"at least one attempt", BuildNullMessage(), 0, 1, DdcStatus::kNullMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransport bus;
        for (int i = 0; i < c.requests; ++i) {
            ExpectRequest(bus, GetVcpRequest(0x10));
            ExpectReply(bus, c.reply);
        }
        FakeWaiter waiter;
        DdcChannel channel(bus, waiter, ChannelOptions{c.maxAttempts});

        const VcpReading reading = channel.GetVcp(0x10);
        EXPECT_EQ(reading.status, c.status);
        EXPECT_EQ(reading.stats.requests, c.requests);
        ExpectScriptDone(bus);
    }
}

TEST(DdcChannelTest, ReceivedBytesOfAnUnframedReplyAreTheRawRead) {
    ScriptedTransport bus;
    ExpectRequest(bus, GetVcpRequest(0x10));
    bus.ExpectRead(kDisplayAddress, {0x01, 0x02});
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter, ChannelOptions{1});

    const VcpReading reading = channel.GetVcp(0x10);
    EXPECT_EQ(reading.status, DdcStatus::kGarbage);
    Bytes expected(kVcpReplyReadSize, 0xFF);
    expected[0] = 0x01;
    expected[1] = 0x02;
    EXPECT_EQ(ToBytes(reading.received), expected);
}

TEST(DdcChannelTest, SetVcpSendsOnceAndReadsNothing) {
    ScriptedTransport bus;
    ExpectRequest(bus, SetVcpRequest(0x10, 0x1234));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const SetVcpOutcome outcome = channel.SetVcp(0x10, 0x1234);
    EXPECT_EQ(outcome.status, DdcStatus::kOk);
    EXPECT_EQ(ToBytes(outcome.sent), (Bytes{0x6E, 0x51, 0x84, 0x03, 0x10, 0x12, 0x34, 0x8E}));
    EXPECT_EQ(ToBytes(RequestBody(outcome.sent)), (Bytes{0x84, 0x03, 0x10, 0x12, 0x34, 0x8E}));
    EXPECT_EQ(outcome.stats.requests, 1);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, RequestsWithoutReplyAreRepeatedOnlyWhenTheBusRefusesThem) {
    ScriptedTransport bus;
    ExpectRequest(bus, SetVcpRequest(0x10, 7), false);
    ExpectRequest(bus, SetVcpRequest(0x10, 7));
    for (int i = 0; i < 3; ++i) {
        ExpectRequest(bus, SaveSettingsRequest(), false);
    }
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    EXPECT_EQ(channel.SetVcp(0x10, 7).stats.requests, 2);
    EXPECT_EQ(channel.SaveSettings(), DdcStatus::kBusError);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, WaitsAreMadeOnlyOnARealBus) {
    for (bool realBus : {false, true}) {
        SCOPED_TRACE(realBus ? "real bus" : "lab");
        ScriptedTransport bus(realBus);
        ExpectRequest(bus, GetVcpRequest(0x10));
        ExpectReply(bus, VcpReplyPacket(0x10, 1, 1));
        ExpectRequest(bus, SetVcpRequest(0x10, 1));
        ExpectRequest(bus, GetVcpRequest(0x10));
        ExpectReply(bus, BuildNullMessage());
        ExpectRequest(bus, GetVcpRequest(0x10));
        ExpectReply(bus, VcpReplyPacket(0x10, 1, 1));
        ExpectRequest(bus, SaveSettingsRequest());
        ExpectRequest(bus, GetVcpRequest(0x10));
        ExpectReply(bus, VcpReplyPacket(0x10, 1, 1));
        FakeWaiter waiter;
        DdcChannel channel(bus, waiter);

        channel.GetVcp(0x10);
        channel.SetVcp(0x10, 1);
        channel.GetVcp(0x10);
        channel.SaveSettings();
        channel.GetVcp(0x10);

        const std::vector<uint32_t> expected =
            realBus ? std::vector<uint32_t>{40,       // reply delay; a good reply needs no gap after it
                                            50,  40,  // gap after Set VCP, reply delay (null message)
                                            50,  40,  // gap before the retry, reply delay
                                            200, 40}  // after saving, reply delay
                    : std::vector<uint32_t>{};
        EXPECT_EQ(waiter.waits, expected);
        ExpectScriptDone(bus);
    }
}

TEST(DdcChannelTest, TimeSpentElsewhereCountsTowardsTheGap) {
    ScriptedTransport bus(true);
    ExpectRequest(bus, SetVcpRequest(0x10, 1));
    ExpectRequest(bus, SetVcpRequest(0x10, 2));
    ExpectRequest(bus, SetVcpRequest(0x10, 3));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    channel.SetVcp(0x10, 1);
    waiter.now += 30;
    channel.SetVcp(0x10, 2);
    waiter.now += 80;
    channel.SetVcp(0x10, 3);
    EXPECT_EQ(waiter.waits, (std::vector<uint32_t>{20}));
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, CapabilitiesAreReassembledUntilAnEmptyFragment) {
    const std::string first(32, 'a');
    const std::string second(32, 'b');
    ScriptedTransport bus(true);
    ExpectCapsExchange(bus, 0, CapsFragment(0, first));
    ExpectCapsExchange(bus, 32, CapsFragment(32, second));
    ExpectCapsExchange(bus, 64, CapsFragment(64, "end)"));
    ExpectCapsExchange(bus, 68, CapsFragment(68, ""));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const CapabilitiesRead read = channel.ReadCapabilities();
    EXPECT_EQ(read.status, DdcStatus::kOk);
    EXPECT_EQ(read.text, first + second + "end)");
    EXPECT_EQ(read.stats.requests, 4);
    // Four reply delays: a fragment read is the display's answer, so the next request follows it.
    EXPECT_EQ(waiter.waits, std::vector<uint32_t>(4, 50));
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, CapabilitiesReadSurvivesMisbehaviourMidway) {
    struct Case {
        const char* name;
        Packet bad;
        ExchangeStats counted;
    };
    const Case cases[] = {
        {"wrong offset", CapsFragment(4, "prot", ReplyFault::kWrongOffset), {.offsetMismatches = 1}},
        {"null message", BuildNullMessage(), {.nullMessages = 1}},
        {"bad checksum", CapsFragment(4, "prot", ReplyFault::kBadChecksum), {.checksumErrors = 1}},
        {"zeros", CapsFragment(4, "prot", ReplyFault::kAllZero), {.zeroReads = 1}},
        {"vcp reply instead", VcpReplyPacket(0x10, 1, 1), {.garbage = 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransport bus;
        ExpectCapsExchange(bus, 0, CapsFragment(0, "(vcp"));
        ExpectCapsExchange(bus, 4, c.bad);
        ExpectCapsExchange(bus, 4, CapsFragment(4, "prot"));
        ExpectCapsExchange(bus, 8, CapsFragment(8, ")"));
        ExpectCapsExchange(bus, 9, CapsFragment(9, ""));
        FakeWaiter waiter;
        DdcChannel channel(bus, waiter);

        const CapabilitiesRead read = channel.ReadCapabilities();
        EXPECT_EQ(read.status, DdcStatus::kOk);
        EXPECT_EQ(read.text, "(vcpprot)");
        EXPECT_EQ(read.stats.requests, 5);
        EXPECT_EQ(read.stats.offsetMismatches, c.counted.offsetMismatches);
        EXPECT_EQ(read.stats.nullMessages, c.counted.nullMessages);
        EXPECT_EQ(read.stats.checksumErrors, c.counted.checksumErrors);
        EXPECT_EQ(read.stats.zeroReads, c.counted.zeroReads);
        EXPECT_EQ(read.stats.garbage, c.counted.garbage);
        ExpectScriptDone(bus);
    }
}

TEST(DdcChannelTest, CapabilitiesReadAcceptsQuirkyFramesAndStopsAtNul) {
    ScriptedTransport bus;
    ExpectCapsExchange(bus, 0, CapsFragment(0, "(ab", ReplyFault::kDoubledSource));
    ExpectCapsExchange(bus, 3, CapsFragment(3, std::string("c)\0", 3), ReplyFault::kMissingLengthFlag));
    ExpectCapsExchange(bus, 6, CapsFragment(6, ""));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const CapabilitiesRead read = channel.ReadCapabilities();
    EXPECT_EQ(read.status, DdcStatus::kOk);
    EXPECT_EQ(read.text, "(abc)");
    EXPECT_EQ(read.stats.quirks, kQuirkDoubledSource | kQuirkMissingLengthFlag);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, APersistentlyWrongOffsetIsReportedWithThePartRead) {
    ScriptedTransport bus;
    ExpectCapsExchange(bus, 0, CapsFragment(0, "(vcp"));
    for (int i = 0; i < 3; ++i) {
        ExpectCapsExchange(bus, 4, CapsFragment(0, "(vcp"));  // the display repeats its first fragment
    }
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const CapabilitiesRead read = channel.ReadCapabilities();
    EXPECT_EQ(read.status, DdcStatus::kOffsetMismatch);
    EXPECT_EQ(read.text, "(vcp");
    EXPECT_EQ(read.stats.offsetMismatches, 3);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, CapabilitiesThatNeverEndStopAtTheLimit) {
    const std::string chunk(kMaxFragmentData, 'x');
    ScriptedTransport bus;
    size_t offset = 0;
    for (; offset <= kMaxCapabilitiesBytes; offset += chunk.size()) {
        ExpectCapsExchange(bus, static_cast<uint16_t>(offset), CapsFragment(static_cast<uint16_t>(offset), chunk));
    }
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    const CapabilitiesRead read = channel.ReadCapabilities();
    EXPECT_EQ(read.status, DdcStatus::kTooLong);
    EXPECT_EQ(read.text.size(), kMaxCapabilitiesBytes);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, TableReadReassemblesIntoTheCallersBuffer) {
    Bytes table(40);
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint8_t>(i * 3);
    }
    auto tableFragment = [&](uint16_t offset, size_t size) {
        return BuildReply(FragmentReplyMessage(kOpTableReadReply, offset, table.data() + offset, size));
    };
    ScriptedTransport bus(true);
    ExpectRequest(bus, TableReadRequest(0x73, 0));
    ExpectReply(bus, tableFragment(0, 32));
    ExpectRequest(bus, TableReadRequest(0x73, 32));
    ExpectReply(bus, CapsFragment(32, "wrong kind"));  // retried
    ExpectRequest(bus, TableReadRequest(0x73, 32));
    ExpectReply(bus, tableFragment(32, 8));
    ExpectRequest(bus, TableReadRequest(0x73, 40));
    ExpectReply(bus, tableFragment(40, 0));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    Bytes out(64, 0xEE);
    const MultiPartRead read = channel.TableRead(0x73, out.data(), out.size());
    EXPECT_EQ(read.status, DdcStatus::kOk);
    ASSERT_EQ(read.size, table.size());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 40), table);
    EXPECT_EQ(out[40], 0xEE);
    EXPECT_EQ(waiter.waits, (std::vector<uint32_t>{50, 50, 50, 50}));
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, TableReadKeepsToTheCallersCapacity) {
    const Bytes data(32, 0x11);
    ScriptedTransport bus;
    ExpectRequest(bus, TableReadRequest(0x73, 0));
    ExpectReply(bus, BuildReply(FragmentReplyMessage(kOpTableReadReply, 0, data.data(), data.size())));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    Bytes out(31, 0xEE);
    const MultiPartRead read = channel.TableRead(0x73, out.data(), out.size());
    EXPECT_EQ(read.status, DdcStatus::kTooLong);
    EXPECT_EQ(read.size, 0u);
    EXPECT_EQ(out, Bytes(31, 0xEE));
    EXPECT_EQ(channel.TableRead(0x73, nullptr, 10).status, DdcStatus::kInvalidArgument);
    ExpectScriptDone(bus);
}

TEST(DdcChannelTest, TableWriteSplitsIntoFragments) {
    Bytes table(40);
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint8_t>(0xA0 + i);
    }
    ScriptedTransport bus(true);
    // 28 data bytes keep each payload (E7, code, offset, data) within 32; an empty fragment closes.
    ExpectRequest(bus, TableWriteRequest(0x73, 0x10, table.data(), 28));
    ExpectRequest(bus, TableWriteRequest(0x73, 0x2C, table.data() + 28, 12));
    ExpectRequest(bus, TableWriteRequest(0x73, 0x38, nullptr, 0));
    FakeWaiter waiter;
    DdcChannel channel(bus, waiter);

    EXPECT_EQ(channel.TableWrite(0x73, 0x10, table.data(), table.size()), DdcStatus::kOk);
    EXPECT_EQ(waiter.waits, (std::vector<uint32_t>{50, 50}));
    ExpectScriptDone(bus);
    EXPECT_EQ(BuildRequest(TableWriteRequest(0x73, 0, table.data(), table.size())).bytes[2], 0x80 | 32);

    const Bytes oversized(kMaxTableBytes + 1);
    EXPECT_EQ(channel.TableWrite(0x73, 0, oversized.data(), oversized.size()), DdcStatus::kInvalidArgument);
    EXPECT_EQ(channel.TableWrite(0x73, 0xFFF0, table.data(), table.size()), DdcStatus::kInvalidArgument);
    EXPECT_EQ(channel.TableWrite(0x73, 0, nullptr, 4), DdcStatus::kInvalidArgument);
    EXPECT_EQ(channel.TableWrite(0x73, 0, table.data(), 0), DdcStatus::kInvalidArgument);
}

}  // namespace
}  // namespace brevlink::ddcci
