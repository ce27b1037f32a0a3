// lmscript's handling of each export, against a fake monitor bus.
#include "script_ext/host/script_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>

namespace kestrova::lmscript {
namespace {

class FakeBus : public MonitorBus {
  public:
    uint32_t mask = 0b0110;  // monitors 1 and 2
    std::map<std::pair<int, uint8_t>, VcpValue> values;
    std::vector<std::string> writes;
    bool fail = false;

    uint32_t AttachedMask() override { return mask; }
    bool ReadVcp(int monitor, uint8_t code, VcpValue& value) override {
        auto found = values.find({monitor, code});
        if (fail || found == values.end()) {
            return false;
        }
        value = found->second;
        return true;
    }
    bool WriteVcp(int monitor, uint8_t code, uint16_t value) override {
        writes.push_back(std::to_string(monitor) + ":" + std::to_string(code) + "=" + std::to_string(value));
        values[{monitor, code}].current = value;
        return !fail;
    }
};

class ScriptHostTest : public ::testing::Test {
  protected:
    ScriptHostTest() {
        bus.values[{1, 0x10}] = {75, 100};
        bus.values[{2, 0x10}] = {20, 50};
    }
    FakeBus bus;
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream log;
    Prompter prompter{in, out, false, PresetAnswer::kAsk};
    ScriptHost host{bus, 1, prompter, log};
};

TEST_F(ScriptHostTest, ReadsAndWritesVcpCodesByText) {
    EXPECT_EQ(host.Read("10"), "75");
    EXPECT_EQ(host.Read("0x10"), "75");
    EXPECT_EQ(host.Read("12"), kCommunicationError);
    EXPECT_EQ(host.Read("zz"), kInvalidCommand);
    host.Write("10", "0x32");
    host.Write("10", "70000");
    host.Write("1000", "1");
    EXPECT_EQ(bus.writes, std::vector<std::string>{"1:16=50"});
    EXPECT_NE(log.str().find("ignored VCP write \"10\" \"70000\""), std::string::npos);
    EXPECT_EQ(host.Read("10"), "50");
}

TEST_F(ScriptHostTest, RangeReadSetsTheValuesOnlyWhenTheMonitorAnswers) {
    int current = -1, minimum = -1, maximum = -1;
    EXPECT_EQ(host.ReadRange("10", current, minimum, maximum), "OK");
    EXPECT_EQ(current, 75);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 100);
    current = minimum = maximum = -1;
    EXPECT_EQ(host.ReadRange("12", current, minimum, maximum), kCommunicationError);
    EXPECT_EQ(host.ReadRange("", current, minimum, maximum), kInvalidCommand);
    EXPECT_EQ(current, -1);
}

TEST_F(ScriptHostTest, RequestPayloadsRunAsVcpOperations) {
    struct Case {
        const char* payload;
        int stop;
        const char* reply;
    };
    const Case cases[] = {
        {"01 10", 0, "02 00 10 00 00 64 00 4B"},
        {"01 10", 3, "02 00 10"},
        {"01 10", -1, "02 00 10 00 00 64 00 4B"},
        {"03 10 00 28", 0, ""},
        {"0C", 0, ""},
        {"01 12", 0, kCommunicationError},
        {"01", 0, kCommunicationError},
        {"03 10 00", 0, kCommunicationError},
        {"E3 00", 0, kCommunicationError},
        {"", 0, kCommunicationError},
        {"01 1x", 0, kInvalidCommand},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.ReadWithStop(c.payload, c.stop), c.reply) << c.payload;
    }
    EXPECT_EQ(bus.writes, std::vector<std::string>{"1:16=40"});
    host.Send("03 10 01 00");
    EXPECT_EQ(bus.writes.back(), "1:16=256");
    host.Send("02 00");
    EXPECT_NE(log.str().find("DDC/CI request \"02 00\" failed"), std::string::npos);
}

TEST_F(ScriptHostTest, ReceiveLeavesReplyTextBytesAndCount) {
    std::string command = "01 10";
    std::string bytes = "old";
    int count = 4;
    host.Receive(command, bytes, count);
    EXPECT_EQ(command, "02 00 10 00");
    EXPECT_EQ(bytes, std::string("\x02\x00\x10\x00", 4));
    EXPECT_EQ(count, 4);
    command = "01 12";
    host.Receive(command, bytes, count);
    EXPECT_EQ(command, kCommunicationError);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(count, 0);
}

TEST_F(ScriptHostTest, FramedPayloadsCarryTheirLengthAndRepliesAreCutToTheCount) {
    unsigned char request[256] = {0x82, 0x01, 0x10};
    unsigned char reply[16];
    std::memset(reply, 0xEE, sizeof reply);
    host.ReadFramed(request, reply, 6);
    const unsigned char expected[] = {0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0xEE};
    EXPECT_EQ(std::memcmp(reply, expected, sizeof expected), 0);

    unsigned char set[256] = {0x84, 0x03, 0x10, 0x00, 0x05};
    host.SendFramed(set);
    EXPECT_EQ(bus.writes.back(), "1:16=5");
    // A length byte claiming more than was sent reads zeros from the padded area, never past it.
    unsigned char bogus[256] = {0xFF, 0x03};
    host.SendFramed(bogus);
    host.ReadFramed(request, reply, 0);
    host.ReadFramed(nullptr, reply, 4);
    EXPECT_EQ(bus.writes.size(), 1u);
}

TEST_F(ScriptHostTest, AlternateMaskRoutesToItsLowestAttachedMonitor) {
    host.SetAltDisplayMask(0b1100);  // monitors 2 and 3; only 2 is attached
    EXPECT_EQ(host.AltDisplayMask(), 0b1100u);
    EXPECT_EQ(host.Read("10"), "75");
    host.UseAltDisplayMask(1);
    EXPECT_EQ(host.Read("10"), "20");
    host.SetAltDisplayMask(0b1000);
    EXPECT_EQ(host.Read("10"), kCommunicationError);
    host.UseAltDisplayMask(0);
    EXPECT_EQ(host.Read("10"), "75");
}

TEST_F(ScriptHostTest, LogLinesLoseTheirCarriageReturns) {
    host.Log("Traceback:\r\n  line\r\nError\r\n");
    host.Log("single");
    host.Log("");
    EXPECT_EQ(log.str(), "Traceback:\n  line\nError\nsingle\n\n");
}

TEST_F(ScriptHostTest, TextTableCommandsReachTheByteTables) {
    std::string reply;
    host.TableWrite("E2", "0", "", "0A 0B");
    host.TableRead("E2", "0", "3", reply);
    EXPECT_EQ(reply, "0A 0B 00");
    host.TableRead("E2", "0", "2000", reply);
    EXPECT_EQ(reply, kInvalidCommand);
    host.TableWrite("E2", "0", "", "not hex");
    EXPECT_NE(log.str().find("ignored table write"), std::string::npos);
}

}  // namespace
}  // namespace kestrova::lmscript
