#include "brevlink/transport/i2c_dev_transport.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <string>
#include <vector>

#include "brevlink/ddcci/ddc_channel.h"
#include "brevlink/transport/scripted_transport.h"
#include "tests/brevlink/transport/fake_i2c_dev_ops.h"

namespace brevlink {
namespace {

using Strings = std::vector<std::string>;
using testing::FakeI2cDevOps;

constexpr char kPath[] = "/dev/i2c-4";

ScriptedTransport& AddScriptedBus(FakeI2cDevOps& ops) {
    auto bus = std::make_unique<ScriptedTransport>(true);
    ScriptedTransport& ref = *bus;
    ops.buses[kPath] = std::move(bus);
    return ref;
}

TEST(I2cDevTransportTest, SelectsTheAddressOnlyWhenItChanges) {
    FakeI2cDevOps ops;
    ScriptedTransport& bus = AddScriptedBus(ops);
    bus.ExpectWrite(0x37, {0x51, 0x80, 0xBE})
        .ExpectRead(0x37, {0x6E, 0x80, 0xBE})
        .ExpectWrite(0x50, {0x00})
        .ExpectRead(0x50, {0x00, 0xFF})
        .ExpectWrite(0x37, {0x51, 0x80, 0xBE});
    {
        std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
        ASSERT_NE(transport, nullptr);
        EXPECT_TRUE(transport->NeedsBusWaits());
        const uint8_t nullMessage[] = {0x51, 0x80, 0xBE};
        const uint8_t zero = 0;
        uint8_t reply[3] = {};
        EXPECT_TRUE(transport->Write(0x37, nullMessage, 3));
        EXPECT_TRUE(transport->Read(0x37, reply, 3));
        EXPECT_EQ(reply[2], 0xBE);
        EXPECT_TRUE(transport->Write(0x50, &zero, 1));
        EXPECT_TRUE(transport->Read(0x50, reply, 2));
        EXPECT_TRUE(transport->Write(0x37, nullMessage, 3));
    }
    EXPECT_EQ(ops.calls, (Strings{"open /dev/i2c-4", "slave 3 55", "write 3 3", "read 3 3", "slave 3 80", "write 3 1",
                                  "read 3 2", "slave 3 55", "write 3 3", "close 3"}));
    EXPECT_EQ(ops.OpenCount(), 0u);
    EXPECT_TRUE(bus.Mismatches().empty());
}

TEST(I2cDevTransportTest, FailedTransfersAreFailuresThatSayWhy) {
    struct Case {
        const char* name;
        ssize_t shortBy;
        bool ack;
        int error;
        BusFailure failure;
    };
    const Case cases[] = {
        {"short transfer", 1, true, ENXIO, BusFailure::kNoAcknowledge},
        {"no acknowledge", 0, false, ENXIO, BusFailure::kNoAcknowledge},
        {"remote I/O error", 0, false, EREMOTEIO, BusFailure::kNoAcknowledge},
        {"adapter I/O error", 0, false, EIO, BusFailure::kBusFault},
        {"held by a driver", 0, false, EBUSY, BusFailure::kBusy},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeI2cDevOps ops;
        ops.shortBy = c.shortBy;
        ops.failWith = c.error;
        ScriptedTransport& bus = AddScriptedBus(ops);
        bus.ExpectWrite(0x37, {0x51, 0x80, 0xBE}, c.ack).ExpectRead(0x37, {0x6E, 0x80, 0xBE}, c.ack);
        std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
        ASSERT_NE(transport, nullptr);
        const uint8_t nullMessage[] = {0x51, 0x80, 0xBE};
        uint8_t reply[3] = {};
        EXPECT_FALSE(transport->Write(0x37, nullMessage, 3));
        EXPECT_EQ(transport->LastFailure(), c.failure);
        EXPECT_FALSE(transport->Read(0x37, reply, 3));
        EXPECT_EQ(transport->LastFailure(), c.failure);
    }
}

TEST(I2cDevTransportTest, AnAddressAKernelDriverHoldsIsReachedAndReported) {
    struct Case {
        const char* name;
        bool forceRefused;
        Strings calls;
        const char* note;
    };
    const Case cases[] = {
        {"I2C_SLAVE_FORCE",
         false,
         {"open /dev/i2c-4", "slave 3 55", "force 3 55", "write 3 3", "read 3 3", "write 3 3"},
         "/dev/i2c-4: address 0x37 is held by a kernel driver; reached with I2C_SLAVE_FORCE"},
        {"I2C_RDWR",
         true,
         {"open /dev/i2c-4", "slave 3 55", "force 3 55", "rdwr 3 1", "rdwr 3 1", "rdwr 3 1"},
         "/dev/i2c-4: address 0x37 is held by a kernel driver and I2C_SLAVE_FORCE is refused; reached with "
         "I2C_RDWR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeI2cDevOps ops;
        ops.busyAddresses = {0x37};
        ops.forceRefused = c.forceRefused;
        ScriptedTransport& bus = AddScriptedBus(ops);
        bus.ExpectWrite(0x37, {0x51, 0x80, 0xBE})
            .ExpectRead(0x37, {0x6E, 0x80, 0xBE})
            .ExpectWrite(0x37, {0x51, 0x80, 0xBE});
        Strings notes;
        std::unique_ptr<I2cDevTransport> transport =
            I2cDevTransport::Open(ops, kPath, [&](const std::string& note) { notes.push_back(note); });
        const uint8_t nullMessage[] = {0x51, 0x80, 0xBE};
        uint8_t reply[3] = {};
        EXPECT_TRUE(transport->Write(0x37, nullMessage, 3));
        EXPECT_TRUE(transport->Read(0x37, reply, 3));
        EXPECT_EQ(reply[2], 0xBE);
        EXPECT_TRUE(transport->Write(0x37, nullMessage, 3));
        EXPECT_EQ(ops.calls, c.calls);
        EXPECT_EQ(notes, Strings{c.note});
        EXPECT_TRUE(bus.Mismatches().empty());
    }
}

TEST(I2cDevTransportTest, TheChannelRetriesAMissingAcknowledgeButNotAHeldAddress) {
    class NoWaits : public ddcci::Waiter {
      public:
        void WaitMs(uint32_t) override {}
        uint64_t NowMs() override { return 0; }
    };
    struct Case {
        int error;
        int requests;
    };
    for (const Case& c : {Case{ENXIO, 3}, Case{EIO, 3}, Case{EBUSY, 1}}) {
        SCOPED_TRACE(c.error);
        FakeI2cDevOps ops;
        ops.failWith = c.error;
        ScriptedTransport& bus = AddScriptedBus(ops);
        for (int i = 0; i < 3; ++i) {
            bus.ExpectWrite(0x37, {}, false);
        }
        std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
        NoWaits waiter;
        ddcci::DdcChannel channel(*transport, waiter);
        const ddcci::VcpReading reading = channel.GetVcp(0x10);
        EXPECT_EQ(reading.status, ddcci::DdcStatus::kBusError);
        EXPECT_EQ(reading.stats.requests, c.requests);
    }
}

TEST(I2cDevTransportTest, NothingToTransferTouchesNothing) {
    FakeI2cDevOps ops;
    AddScriptedBus(ops);
    std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
    uint8_t byte = 0;
    EXPECT_FALSE(transport->Write(0x37, nullptr, 1));
    EXPECT_FALSE(transport->Write(0x37, &byte, 0));
    EXPECT_FALSE(transport->Read(0x37, nullptr, 1));
    EXPECT_FALSE(transport->Read(0x37, &byte, 0));
    EXPECT_EQ(ops.calls, (Strings{"open /dev/i2c-4"}));
    EXPECT_EQ(I2cDevTransport::Open(ops, "/dev/i2c-5"), nullptr);
}

}  // namespace
}  // namespace brevlink
