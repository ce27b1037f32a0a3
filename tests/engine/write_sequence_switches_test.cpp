// The write sequences that switch a control through fixed values and read each back: ambient light
// sensor (0x66), audio mute (0x8D), audio stereo mode (0x94) and window control (0xA4).
#include <gtest/gtest.h>

#include "discrete_lab_fixture.h"

namespace kestrova::engine {
namespace {

class SwitchSequencesTest : public testing::DiscreteLabTest {
  protected:
    // The handler's lines after the first read's line.
    static std::string Lines(const testing::Outcome& outcome) {
        return outcome.result.substr(outcome.result.find("<BR>") + 4);
    }
};

TEST_F(SwitchSequencesTest, LightSensorGoesOffAndOnAndBack) {
    struct Case {
        const char* what;
        int initial;
        const char* fault;
        int faultAfterWait;  // 0: from the start
        const char* lines;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"compliant", 1, "", 0, "", {"0x66 1", "0x66 2", "0x66 1"}},
        {"starts on", 2, "", 0, "", {"0x66 1", "0x66 2", "0x66 2"}},
        // Switching off does not take: the second step is skipped.
        {"ignores writes", 2, "ignore 0x66", 0, "...FAILED, set 1, got 2<BR>", {"0x66 1 ignored", "0x66 2 ignored"}},
        {"ignores writes from off",
         1,
         "ignore 0x66",
         0,
         "...FAILED, set 2, got 1<BR>",
         {"0x66 1 ignored", "0x66 2 ignored", "0x66 1 ignored"}},
        {"falls silent", 1, "silent 0x66", 1, "...FAILED, could not read after set to 1 <BR>", {"0x66 1", "0x66 1"}},
        {"falls silent later",
         1,
         "silent 0x66",
         2,
         "...FAILED, could not read after set to 2 <BR>",
         {"0x66 1", "0x66 2", "0x66 1"}},
    };
    for (const Case& c : cases) {
        UseLab("compliant.json");
        Press(0x66, c.initial);
        if (*c.fault != '\0') {
            if (c.faultAfterWait == 0) {
                Fault(c.fault);
            } else {
                FaultAfterWait(c.faultAfterWait, c.fault);
            }
        }
        const testing::Outcome outcome = Run(0x66);
        EXPECT_EQ(outcome.pass, std::string(c.lines).empty()) << c.what;
        EXPECT_EQ(Lines(outcome), c.lines) << c.what;
        EXPECT_EQ(Writes(), c.writes) << c.what;
    }
}

TEST_F(SwitchSequencesTest, AudioMuteChecksBothStatesAndRestores) {
    UseLab("compliant.json");
    testing::Outcome outcome = Run(0x8D);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{64, 64, 64}));
    EXPECT_EQ(Held(0x8D), 2);

    // Stuck unmuted: only the mute fails. A silent monitor fails both, reading as 0.
    UseLab("compliant.json");
    Fault("ignore 0x8D");
    outcome = Run(0x8D);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(Lines(outcome), "...FAILED, could not set to 0x01 for Mute<BR>");

    UseLab("compliant.json");
    FaultAfterWait(1, "silent 0x8D");
    outcome = Run(0x8D);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(Lines(outcome),
              "...FAILED, could not set to 0x01 for Mute<BR>...FAILED, could not set to 0x02 for Unmute<BR>");
    EXPECT_EQ(Writes(), (std::vector<std::string>{"0x8D 1", "0x8D 2", "0x8D 2"}));
}

TEST_F(SwitchSequencesTest, StereoModesFollowTheMonitorsRange) {
    struct Case {
        const char* values;
        int initial;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"[0, 1]", 1, {"0x94 0", "0x94 1", "0x94 1"}},
        {"[0, 1, 2]", 2, {"0x94 0", "0x94 1", "0x94 2", "0x94 2"}},
        {"[0, 1, 2, 3]", 3, {"0x94 0", "0x94 1", "0x94 2", "0x94 3", "0x94 3"}},
    };
    for (const Case& c : cases) {
        UseCompliantWith(std::string(R"("features": {"0x94": {"current": )") + std::to_string(c.initial) +
                         R"(, "values": )" + c.values + "}}");
        const testing::Outcome outcome = Run(0x94);
        EXPECT_TRUE(outcome.pass) << c.values << outcome.result;
        EXPECT_EQ(Writes(), c.writes) << c.values;
        EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>(c.writes.size(), 64)) << c.values;
    }
    // A monitor that takes none of them fails every mode it does not already hold.
    UseLab("compliant.json");
    Fault("ignore 0x94");
    const testing::Outcome outcome = Run(0x94);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(Lines(outcome),
              "...FAILED, could not set to 0x00 for Speaker Off<BR>...FAILED, could not set to 0x01 for Mono<BR>"
              "...FAILED, could not set to 0x03 for Stereo expanded<BR>");
}

TEST_F(SwitchSequencesTest, WindowControlJudgesOnlyTheReadsThatAnswer) {
    UseLab("compliant.json");
    testing::Outcome outcome = Run(0xA4);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"0xA4 0", "0xA4 255", "0xA4 255"}));
    EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{256, 256, 64}));

    UseLab("compliant.json");
    Fault("ignore 0xA4");
    outcome = Run(0xA4);
    EXPECT_FALSE(outcome.pass);
    EXPECT_EQ(Lines(outcome), "...FAILED, set 0, got 255<BR>");

    UseLab("compliant.json");
    FaultAfterWait(1, "silent 0xA4");
    outcome = Run(0xA4);
    EXPECT_TRUE(outcome.pass);
    EXPECT_EQ(Lines(outcome), "");
    EXPECT_EQ(Writes(), (std::vector<std::string>{"0xA4 0", "0xA4 255", "0xA4 255"}));
}

}  // namespace
}  // namespace kestrova::engine
