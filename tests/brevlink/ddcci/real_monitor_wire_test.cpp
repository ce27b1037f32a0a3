// The host channel against lab monitors that behave as real ones do where real ones differ:
// long capabilities fragments, tables written in pieces, the Timing Report, lenient or strict
// reading of requests, replies that can be read again.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/sim/profile_json.h"
#include "brevlink/sim/sim_monitor.h"

namespace brevlink::ddcci {
namespace {

class NoWaits : public Waiter {
  public:
    void WaitMs(uint32_t) override {}
    uint64_t NowMs() override { return 0; }
};

sim::MonitorProfile Compliant(const sim::WireBehaviour& wire = {}) {
    sim::MonitorProfile profile = sim::BuiltinProfile().monitors.at(0);
    profile.wire = wire;
    sim::VcpFeature table;
    table.kind = sim::VcpKind::kTable;
    profile.features[0x73] = table;
    return profile;
}

TEST(RealMonitorWire, CapabilitiesInFragmentsOfAnyLengthTheFrameAllows) {
    for (size_t fragment : {32u, 40u, 43u, 100u, 124u}) {
        SCOPED_TRACE(fragment);
        sim::WireBehaviour wire;
        wire.capabilitiesFragment = fragment;
        sim::SimMonitor monitor(Compliant(wire));
        NoWaits waiter;
        DdcChannel channel(monitor.Bus(), waiter);
        const CapabilitiesRead read = channel.ReadCapabilities();
        EXPECT_EQ(read.status, DdcStatus::kOk);
        EXPECT_EQ(read.text, monitor.Profile().capabilities);
    }
}

TEST(RealMonitorWire, ATableWrittenInPiecesReadsBackWhole) {
    for (size_t size : {1u, 28u, 29u, 40u, 200u}) {
        SCOPED_TRACE(size);
        sim::SimMonitor monitor(Compliant());
        NoWaits waiter;
        DdcChannel channel(monitor.Bus(), waiter);
        std::vector<uint8_t> table(size);
        for (size_t i = 0; i < size; ++i) {
            table[i] = static_cast<uint8_t>(i * 3 + 1);
        }
        ASSERT_EQ(channel.TableWrite(0x73, 0, table.data(), table.size()), DdcStatus::kOk);
        ASSERT_NE(monitor.Port().Table(0x73), nullptr) << "the closing fragment was not sent";
        std::vector<uint8_t> back(kMaxTableBytes);
        const MultiPartRead read = channel.TableRead(0x73, back.data(), back.size());
        EXPECT_EQ(read.status, DdcStatus::kOk);
        back.resize(read.size);
        EXPECT_EQ(back, table);
    }
}

TEST(RealMonitorWire, TheTimingReportCarriesTheMeasuredFrequencies) {
    sim::SimMonitor monitor(Compliant());
    NoWaits waiter;
    DdcChannel channel(monitor.Bus(), waiter);
    const TimingRead read = channel.GetTimingReport();
    ASSERT_EQ(read.status, DdcStatus::kOk);
    EXPECT_EQ(read.report.status, 0x03);
    EXPECT_EQ(read.report.horizontalTenHz, monitor.Model().Get(0xAC).current);
    EXPECT_EQ(read.report.verticalHundredthHz, monitor.Model().Get(0xAE).current);
}

TEST(RealMonitorWire, RequestsAreReadAsLenientlyOrStrictlyAsTheProfileSays) {
    // 6E 51 82 01 10 chk, with the source byte or the checksum spoilt.
    struct Case {
        const char* name;
        bool strict;
        uint8_t source;
        uint8_t checksumFlip;
        bool answered;
    };
    const Case cases[] = {
        {"good request, lenient", false, 0x51, 0x00, true}, {"good request, strict", true, 0x51, 0x00, true},
        {"source 0x50, lenient", false, 0x50, 0x00, true},  {"source 0x50, strict", true, 0x50, 0x00, false},
        {"bad checksum, lenient", false, 0x51, 0x5A, true}, {"bad checksum, strict", true, 0x51, 0x5A, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::WireBehaviour wire;
        wire.strictSource = c.strict;
        wire.strictChecksum = c.strict;
        sim::SimMonitor monitor(Compliant(wire));
        Packet request = BuildRequest(GetVcpRequest(0x10));
        request.bytes[1] = c.source;
        request.bytes[request.size - 1] =
            static_cast<uint8_t>(XorBytes(0, request.Data(), request.size - 1) ^ c.checksumFlip);
        ASSERT_TRUE(monitor.Bus().Write(kDisplayAddress, request.Data() + 1, request.size - 1));
        uint8_t raw[kVcpReplyReadSize] = {};
        ASSERT_TRUE(monitor.Bus().Read(kDisplayAddress, raw, sizeof raw));
        ReplyFrame reply;
        EXPECT_EQ(ParseReply(raw, sizeof raw, reply), c.answered ? FrameStatus::kOk : FrameStatus::kNullMessage);
    }
}

TEST(RealMonitorWire, AReplyIsReadAgainUntilTheNextRequestUnlessTheProfileSaysOnce) {
    for (bool once : {false, true}) {
        SCOPED_TRACE(once);
        sim::WireBehaviour wire;
        wire.replyOnce = once;
        sim::SimMonitor monitor(Compliant(wire));
        const Packet request = BuildRequest(GetVcpRequest(0x10));
        ASSERT_TRUE(monitor.Bus().Write(kDisplayAddress, request.Data() + 1, request.size - 1));
        uint8_t first[kVcpReplySize] = {};
        uint8_t second[kVcpReplySize] = {};
        ASSERT_TRUE(monitor.Bus().Read(kDisplayAddress, first, sizeof first));
        EXPECT_EQ(monitor.Bus().Read(kDisplayAddress, second, sizeof second), !once);
        if (!once) {
            EXPECT_TRUE(std::equal(std::begin(first), std::end(first), std::begin(second)));
        }
    }
}

}  // namespace
}  // namespace brevlink::ddcci
