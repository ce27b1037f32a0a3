#include "brevlink/sim/lab_command.h"

#include <gtest/gtest.h>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

std::string Command(Lab& lab, const std::string& command, bool expected = true) {
    std::string reply;
    EXPECT_EQ(RunLabCommand(lab, command, reply), expected) << command << " -> " << reply;
    return reply;
}

TEST(LabCommand, FaultsSwitchOnAndClear) {
    Lab lab(BuiltinProfile());
    const Faults& faults = lab.AtPosition(1)->Port().CurrentFaults();
    Command(lab, "fault 1 silent 0x12");
    Command(lab, "fault 1 checksum 16");
    Command(lab, "fault 1 ignore 0x14");
    Command(lab, "fault 1 zeros 3");
    Command(lab, "fault 1 garble on");
    EXPECT_EQ(faults.silentCodes, std::vector<uint8_t>{0x12});
    EXPECT_EQ(faults.badChecksumCodes, std::vector<uint8_t>{0x10});
    EXPECT_EQ(faults.ignoredWriteCodes, std::vector<uint8_t>{0x14});
    EXPECT_EQ(faults.zeroRepliesAfterRestore, 3);
    EXPECT_TRUE(faults.garbledCapabilities);
    Command(lab, "fault 1 garble off");
    EXPECT_FALSE(faults.garbledCapabilities);
    Command(lab, "fault 1 ignore all");
    EXPECT_TRUE(faults.ignoreAllWrites);
    Command(lab, "fault 1 clear");
    EXPECT_TRUE(faults.silentCodes.empty());
    EXPECT_FALSE(faults.ignoreAllWrites);
    Command(lab, "fault 1 melt 0x10", false);
    Command(lab, "fault 1 garble maybe", false);
}

TEST(LabCommand, WritesListOnePerLineWithIgnoredOnesMarked) {
    Lab lab(BuiltinProfile());
    MonitorModel& model = lab.AtPosition(1)->Model();
    model.RecordWrite(0x10, 30, true);
    model.RecordWrite(0xDF, 0x300, false);
    EXPECT_EQ(Command(lab, "writes 1"), "0x10 30\n0xDF 768 ignored\n");
}

TEST(LabCommand, NumbersInDecimalOrHex) {
    Lab lab(BuiltinProfile());
    Command(lab, "set 0x1 0X10 0x1E");
    EXPECT_EQ(Command(lab, "get 1 16"), "30");
    Command(lab, "set 1 0x10 0xG", false);
    Command(lab, "set 1 0x10 99999999999999999999", false);
    Command(lab, "get 1 0x1FF", false);
}

}  // namespace
}  // namespace brevlink::sim
