#include "brevlink/sim/behaviour_theft_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevlink/sim/monitor_model.h"
#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

constexpr uint16_t kPinLow = 0x3B27;
constexpr uint16_t kPinHigh = 0x00D9;

MonitorProfile WithTheft(const char* behaviour) {
    MonitorProfile profile = BuiltinProfile().monitors.at(0);
    profile.behaviours = std::vector<std::string>{behaviour};
    return profile;
}

void GivePin(MonitorModel& model, uint16_t low, uint16_t high) {
    model.Set(0xFC, low);
    model.Set(0xFD, high);
}

void Enable(MonitorModel& model) {
    GivePin(model, kPinLow, kPinHigh);
    ASSERT_TRUE(model.Set(0xFA, 1));
    ASSERT_EQ(model.Get(0xFA).current, 1);
}

TEST(TheftMode, CompliantMonitorRunsTheWholeCycle) {
    MonitorModel model(BuiltinProfile().monitors.at(0));
    EXPECT_EQ(model.Get(0xFA).current, 0);
    Enable(model);
    // The PIN words never come back, whatever was written.
    EXPECT_EQ(model.Get(0xFC).current, 0);
    EXPECT_EQ(model.Get(0xFD).current, 0);
    EXPECT_EQ(model.Get(0xFE).current, 0);
    // A wrong PIN is acknowledged and changes nothing.
    GivePin(model, 0x5C19, 0x00B2);
    model.Set(0xFA, 0);
    EXPECT_EQ(model.Get(0xFA).current, 1);
    // Switching off on the panel in theft mode raises the theft state.
    model.Press(0xD6, 5);
    model.Press(0xD6, 1);
    EXPECT_EQ(model.Get(0xFE).current, 1);
    GivePin(model, kPinLow, kPinHigh);
    model.Set(0xFA, 0);
    EXPECT_EQ(model.Get(0xFA).current, 0);
    EXPECT_EQ(model.Get(0xFE).current, 0);
}

TEST(TheftMode, ModeChangesNeedAFreshPin) {
    struct Case {
        const char* what;
        bool lowWord;
        bool highWord;
    };
    for (const Case& c :
         {Case{"no PIN", false, false}, Case{"low word only", true, false}, Case{"high word only", false, true}}) {
        MonitorModel model(WithTheft("theft-mode"));
        if (c.lowWord) {
            model.Set(0xFC, kPinLow);
        }
        if (c.highWord) {
            model.Set(0xFD, kPinHigh);
        }
        model.Set(0xFA, 1);
        EXPECT_EQ(model.Get(0xFA).current, 0) << c.what;
    }
    // The PIN that enabled the mode is spent: disabling asks for it again.
    MonitorModel model(WithTheft("theft-mode"));
    Enable(model);
    model.Set(0xFA, 0);
    EXPECT_EQ(model.Get(0xFA).current, 1);
}

TEST(TheftMode, StateRisesOnlyWhenThePanelSwitchesOffInTheftMode) {
    struct Case {
        const char* what;
        bool enabled;
        bool fromPanel;
        uint16_t power;
        uint16_t state;
    };
    for (const Case& c : {Case{"panel off", true, true, 4, 1}, Case{"panel hard off", true, true, 5, 1},
                          Case{"panel standby", true, true, 2, 0}, Case{"host off", true, false, 4, 0},
                          Case{"theft mode off", false, true, 5, 0}}) {
        MonitorModel model(WithTheft("theft-mode"));
        if (c.enabled) {
            Enable(model);
        }
        if (c.fromPanel) {
            model.Press(0xD6, c.power);
        } else {
            model.Set(0xD6, c.power);
        }
        EXPECT_EQ(model.Get(0xFE).current, c.state) << c.what;
    }
}

TEST(TheftMode, FaultyMonitorsTakeAWrongPin) {
    struct Case {
        const char* behaviour;
        uint16_t low;
        uint16_t high;
        uint16_t modeAfter;
    };
    const Case cases[] = {
        {"theft-mode", kPinLow, kPinHigh, 0},
        {"theft-mode", 0x5C19, 0x00B2, 1},
        {"theft-mode-any-pin", 0x5C19, 0x00B2, 0},
        {"theft-mode-swapped-pin", kPinLow, kPinHigh, 1},
        {"theft-mode-swapped-pin", kPinHigh, kPinLow, 0},
    };
    for (const Case& c : cases) {
        MonitorModel model(WithTheft(c.behaviour));
        Enable(model);
        GivePin(model, c.low, c.high);
        model.Set(0xFA, 0);
        EXPECT_EQ(model.Get(0xFA).current, c.modeAfter) << c.behaviour << " " << std::hex << c.low;
    }
}

TEST(TheftMode, OtherValuesAndMonitorsWithoutTheftAreLeftToThePlainStore) {
    MonitorModel model(WithTheft("theft-mode"));
    GivePin(model, kPinLow, kPinHigh);
    EXPECT_FALSE(model.Set(0xFA, 2));
    EXPECT_EQ(model.Get(0xFA).current, 0);

    MonitorProfile bare = WithTheft("theft-mode");
    bare.features[0xFA].reset();
    MonitorModel without(bare);
    GivePin(without, kPinLow, kPinHigh);
    EXPECT_FALSE(without.Set(0xFA, 1));
}

}  // namespace
}  // namespace brevlink::sim
