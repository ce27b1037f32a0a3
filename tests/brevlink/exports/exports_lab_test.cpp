// BrevlinkLabCommand: the engineer's hands on a lab monitor, and what the lab saw on the wire.
#include <gtest/gtest.h>

#include "loaded_library.h"

namespace brevlink::testing {
namespace {

class ExportsLab : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadedLibrary::Get().Loaded()) << LibraryPath();
        ResetToBuiltinLab(wr);
    }

    void TearDown() override { ResetToBuiltinLab(wr); }

    uint32_t Current(uint32_t code) {
        uint32_t minimum = 0;
        uint32_t maximum = 0;
        uint32_t current = 0xFFFF;
        wr.WrDDCGetRange(1, code, &minimum, &maximum, &current, 0);
        return current;
    }

    const WrapperTable& wr = LoadedLibrary::Get().Table();
};

TEST_F(ExportsLab, PanelChangesAreSeenByTheHostAndRaiseNewControlValue) {
    EXPECT_EQ(LabCommand(wr, "monitors"), "1");
    EXPECT_EQ(LabCommand(wr, "set 1 0x10 30"), "ok");
    EXPECT_EQ(Current(0x10), 30u);
    EXPECT_EQ(Current(0x02), 2u);
    EXPECT_EQ(Current(0x52), 0x10u);
    EXPECT_EQ(Current(0x52), 0u);
    ASSERT_EQ(wr.WrDDCSendVCPCommand(1, 0x02, 1), 1);
    EXPECT_EQ(Current(0x02), 1u);
}

TEST_F(ExportsLab, GetShowsWhatTheHostWrote) {
    ASSERT_EQ(wr.WrDDCSendVCPCommand(1, 0x12, 12), 1);
    EXPECT_EQ(LabCommand(wr, "get 1 0x12"), "12");
    EXPECT_EQ(LabCommand(wr, "writes 1"), "0x12 12\n");
    EXPECT_EQ(LabCommand(wr, "clear-writes 1"), "ok");
    EXPECT_EQ(LabCommand(wr, "writes 1"), "");
}

TEST_F(ExportsLab, FaultsSwitchedOnWhileRunning) {
    EXPECT_EQ(LabCommand(wr, "fault 1 silent 0x10"), "ok");
    uint32_t value = 0;
    EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, &value, 0), 0);
    EXPECT_EQ(LabCommand(wr, "fault 1 clear"), "ok");
    EXPECT_EQ(wr.WrDDCGetRange(1, 0x10, &value, &value, &value, 0), 1);
    EXPECT_EQ(LabCommand(wr, "fault 1 ignore all"), "ok");
    EXPECT_EQ(wr.WrDDCSendVCPCommandAndVerify(1, 0x10, 5), 0);
}

TEST_F(ExportsLab, BadCommandsAnswerZeroWithAReason) {
    struct Case {
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {"", "commands:"},
        {"jump 1", "commands:"},
        {"set 3 0x10 1", "no monitor at position 3"},
        {"set 1 0x99 1", "0x99 is not a control"},
        {"set 1 0x10 70000", "usage: set"},
        {"get 1", "commands:"},
        {"fault 1 zeros many", "commands:"},
    };
    for (const Case& c : cases) {
        char reply[256] = {};
        uint32_t size = sizeof(reply);
        EXPECT_EQ(wr.BrevlinkLabCommand(c.command, reply, &size), 0) << c.command;
        EXPECT_EQ(std::string(reply).rfind(c.reply, 0), 0u) << c.command << " -> " << reply;
    }
    EXPECT_EQ(wr.BrevlinkLabCommand(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(wr.BrevlinkLabCommand("monitors", nullptr, nullptr), 1);
}

TEST_F(ExportsLab, ReplyIsCutToTheCapacity) {
    char reply[4] = {'x', 'x', 'x', 'x'};
    uint32_t size = 3;
    EXPECT_EQ(wr.BrevlinkLabCommand("set 1 0x10 3", reply, &size), 1);
    EXPECT_EQ(size, 2u);
    EXPECT_STREQ(reply, "ok");
    size = 2;
    EXPECT_EQ(wr.BrevlinkLabCommand("get 1 0x10", reply, &size), 1);
    EXPECT_EQ(size, 1u);
    EXPECT_STREQ(reply, "3");
}

TEST_F(ExportsLab, NoLabBehindARealBusOrABrokenConfiguration) {
    SetEnvironment("BREVLINK_BACKEND", "nonsense");
    wr.WrReEnum();
    char reply[128] = {};
    uint32_t size = sizeof(reply);
    EXPECT_EQ(wr.BrevlinkLabCommand("monitors", reply, &size), 0);
    EXPECT_STREQ(reply, "no lab: the library is not serving simulated monitors");
}

}  // namespace
}  // namespace brevlink::testing
