#include "brevlink/transport/i2c_dev_transport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(I2cDevTransportTest, FailedTransfersAreFailures) {
    struct Case {
        const char* name;
        std::vector<uint8_t> busy;
        ssize_t shortBy;
        bool ack;
    };
    const Case cases[] = {
        {"address claimed by a kernel driver", {0x37}, 0, true},
        {"short transfer", {}, 1, true},
        {"no acknowledge", {}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeI2cDevOps ops;
        ops.busyAddresses = c.busy;
        ops.shortBy = c.shortBy;
        ScriptedTransport& bus = AddScriptedBus(ops);
        bus.ExpectWrite(0x37, {0x51, 0x80, 0xBE}, c.ack).ExpectRead(0x37, {0x6E, 0x80, 0xBE}, c.ack);
        std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
        ASSERT_NE(transport, nullptr);
        const uint8_t nullMessage[] = {0x51, 0x80, 0xBE};
        uint8_t reply[3] = {};
        EXPECT_FALSE(transport->Write(0x37, nullMessage, 3));
        EXPECT_FALSE(transport->Read(0x37, reply, 3));
    }
}

TEST(I2cDevTransportTest, ARefusedAddressIsAskedForAgain) {
    FakeI2cDevOps ops;
    ops.busyAddresses = {0x50};
    ScriptedTransport& bus = AddScriptedBus(ops);
    bus.ExpectWrite(0x50, {0x00});
    std::unique_ptr<I2cDevTransport> transport = I2cDevTransport::Open(ops, kPath);
    const uint8_t zero = 0;
    EXPECT_FALSE(transport->Write(0x50, &zero, 1));
    ops.busyAddresses.clear();
    EXPECT_TRUE(transport->Write(0x50, &zero, 1));
    EXPECT_EQ(ops.calls, (Strings{"open /dev/i2c-4", "slave 3 80", "slave 3 80", "write 3 1"}));
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
