#include "brevlink/sim/behaviours.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

// The compliant monitor, which has the standard behaviours.
MonitorProfile Compliant() {
    return BuiltinProfile().monitors.at(0);
}

TEST(Behaviours, NamesMakeBehavioursAndUnknownNamesNothing) {
    for (const std::string& name : BehaviourNames()) {
        EXPECT_NE(MakeBehaviour(name), nullptr) << name;
    }
    EXPECT_EQ(MakeBehaviour("pip"), nullptr);
    // Faulty variants are had only by naming them.
    std::vector<std::string> standard = StandardBehaviours();
    for (const std::string& name : standard) {
        EXPECT_NE(MakeBehaviour(name), nullptr) << name;
    }
    for (const char* faulty : {"theft-mode-any-pin", "theft-mode-swapped-pin"}) {
        EXPECT_NE(MakeBehaviour(faulty), nullptr) << faulty;
        EXPECT_EQ(std::count(standard.begin(), standard.end(), faulty), 0) << faulty;
    }
}

TEST(RestoreDefaults, EachRestoreCommandPutsBackItsGroup) {
    struct Case {
        uint8_t command;
        bool brightness;
        bool phase;
        bool gain;
    };
    const Case cases[] = {
        {0x04, true, true, true},
        {0x05, true, false, false},
        {0x06, false, true, false},
        {0x08, false, false, true},
    };
    for (const Case& c : cases) {
        MonitorModel model(Compliant());
        ASSERT_TRUE(model.Set(0x10, 10));
        ASSERT_TRUE(model.Set(0x3E, 1));
        ASSERT_TRUE(model.Set(0x16, 1));
        EXPECT_TRUE(model.Set(c.command, 1)) << std::hex << int(c.command);
        EXPECT_EQ(model.Restores(), 1u);
        EXPECT_EQ(model.Get(0x10).current == 75, c.brightness) << std::hex << int(c.command);
        EXPECT_EQ(model.Get(0x3E).current == 16, c.phase) << std::hex << int(c.command);
        EXPECT_EQ(model.Get(0x16).current == 50, c.gain) << std::hex << int(c.command);
    }
}

TEST(RestoreDefaults, ZeroStartsNothing) {
    MonitorModel model(Compliant());
    ASSERT_TRUE(model.Set(0x10, 10));
    model.Set(0x04, 0);
    EXPECT_EQ(model.Restores(), 0u);
    EXPECT_EQ(model.Get(0x10).current, 10);
}

TEST(RestoreDefaults, AbsentWithoutTheBehaviour) {
    MonitorProfile profile = Compliant();
    profile.behaviours = std::vector<std::string>{"new-control-value"};
    MonitorModel model(profile);
    ASSERT_TRUE(model.Set(0x10, 10));
    model.Set(0x04, 1);
    EXPECT_EQ(model.Restores(), 0u);
    EXPECT_EQ(model.Get(0x10).current, 10);
}

TEST(NewControlValue, PanelChangesQueueTheirCodesOnce) {
    MonitorModel model(Compliant());
    EXPECT_EQ(model.Get(0x02).current, 1);
    model.Press(0x10, 20);
    model.Press(0x12, 20);
    model.Press(0x10, 30);
    EXPECT_EQ(model.Get(0x02).current, 2);
    EXPECT_EQ(model.Get(0x52).current, 0x10);
    EXPECT_EQ(model.Get(0x52).current, 0x12);
    EXPECT_EQ(model.Get(0x52).current, 0);
    EXPECT_TRUE(model.Set(0x02, 1));
    EXPECT_EQ(model.Get(0x02).current, 1);
}

TEST(NewControlValue, HostWritesAndUnchangedValuesQueueNothing) {
    MonitorModel model(Compliant());
    ASSERT_TRUE(model.Set(0x10, 20));
    model.Press(0x12, 70);  // the value it already has
    EXPECT_EQ(model.Get(0x02).current, 1);
    EXPECT_EQ(model.Get(0x52).current, 0);
    model.Press(0x12, 60);
    EXPECT_TRUE(model.Set(0x02, 1));  // the host has read them all
    EXPECT_EQ(model.Get(0x52).current, 0);
}

}  // namespace
}  // namespace brevlink::sim
