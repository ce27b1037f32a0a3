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

TEST(LabCommand, PowerCycleSwitchesOffAndBackAsThePanelWould) {
    Lab lab(BuiltinProfile());
    MonitorModel& model = lab.AtPosition(1)->Model();
    Command(lab, "set 1 0xD6 4");
    Command(lab, "power-cycle 1");
    EXPECT_EQ(Command(lab, "get 1 0xD6"), "4");
    // The panel saw the switch: off, then back.
    EXPECT_EQ(model.Get(0x52).current, 0xD6);
    EXPECT_EQ(Command(lab, "writes 1"), "");
    Command(lab, "power-cycle 1 now", false);

    LabProfile noPower = BuiltinProfile();
    noPower.monitors.at(0).features[0xD6].reset();
    Lab other(noPower);
    EXPECT_EQ(Command(other, "power-cycle 1", false), "0xD6 is not a control of this monitor");
}

TEST(LabCommand, LookTellsWhatTheScreenShowedSinceTheLastLook) {
    Lab lab(BuiltinProfile());
    MonitorModel& model = lab.AtPosition(1)->Model();
    EXPECT_EQ(Command(lab, "look 1"), "");
    for (auto [code, value] : {std::pair<uint8_t, uint16_t>{0xA4, 0}, {0xA5, 0x100}, {0xA4, 0xFF}, {0xA5, 0}}) {
        model.Set(code, value);
    }
    EXPECT_EQ(Command(lab, "look 1"),
              "pip window 0,0-0,0 size 50 transparency 15 brightness 50 contrast 50 hue 50 saturation 50\n"
              "pip window closed\n");
    EXPECT_EQ(Command(lab, "look 1"), "");
}

}  // namespace
}  // namespace brevlink::sim
