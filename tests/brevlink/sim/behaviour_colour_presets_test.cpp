#include "brevlink/sim/behaviour_colour_presets.h"

#include <gtest/gtest.h>

#include <array>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

constexpr uint8_t kPreset = 0x14;
constexpr uint8_t kRed = 0x16;
constexpr uint8_t kGreen = 0x18;
constexpr uint8_t kBlue = 0x1A;
constexpr uint16_t kFactory = 5;
constexpr uint16_t kUser1 = 0x0B;
constexpr uint16_t kUser2 = 0x0C;

// The compliant monitor with a second user preset and user gains that differ from the factory
// calibration (50 each).
MonitorProfile TwoUserPresets() {
    MonitorProfile profile = BuiltinProfile().monitors.at(0);
    profile.features[kPreset]->values = {1, kFactory, 6, 8, kUser1, kUser2};
    profile.features[kRed]->current = 60;
    profile.features[kGreen]->current = 55;
    profile.features[kBlue]->current = 45;
    return profile;
}

std::array<uint16_t, 3> Gains(MonitorModel& model) {
    return {model.Get(kRed).current, model.Get(kGreen).current, model.Get(kBlue).current};
}

using G = std::array<uint16_t, 3>;

TEST(ColourPresets, AFactoryPresetShowsTheCalibrationAndAUserPresetItsOwnGains) {
    MonitorModel model(TwoUserPresets());
    EXPECT_EQ(Gains(model), (G{50, 50, 50}));
    ASSERT_TRUE(model.Set(kPreset, kUser1));
    EXPECT_EQ(Gains(model), (G{60, 55, 45}));
    ASSERT_TRUE(model.Set(kRed, 70));
    ASSERT_TRUE(model.Set(kPreset, kUser2));
    EXPECT_EQ(Gains(model), (G{60, 55, 45}));
    ASSERT_TRUE(model.Set(kBlue, 20));
    ASSERT_TRUE(model.Set(kPreset, kFactory));
    EXPECT_EQ(Gains(model), (G{50, 50, 50}));
    // Each user preset kept what was set in it; the panel switches presets as the host does.
    ASSERT_TRUE(model.Press(kPreset, kUser1));
    EXPECT_EQ(Gains(model), (G{70, 55, 45}));
    ASSERT_TRUE(model.Press(kPreset, kUser2));
    EXPECT_EQ(Gains(model), (G{60, 55, 20}));
}

TEST(ColourPresets, GainsSetInAFactoryPresetLastUntilThePresetChanges) {
    MonitorModel model(TwoUserPresets());
    ASSERT_TRUE(model.Set(kGreen, 10));
    EXPECT_EQ(Gains(model), (G{50, 10, 50}));
    ASSERT_TRUE(model.Set(kPreset, kUser1));
    ASSERT_TRUE(model.Set(kPreset, kFactory));
    EXPECT_EQ(Gains(model), (G{50, 50, 50}));
}

TEST(ColourPresets, AColourRestoreForgetsTheUserGains) {
    struct Case {
        const char* name;
        uint8_t restore;
        G userGainsAfter;
    };
    const Case cases[] = {
        {"colour", 0x08, {50, 50, 50}},
        {"everything", 0x04, {50, 50, 50}},
        {"geometry leaves colour alone", 0x06, {60, 55, 45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorModel model(TwoUserPresets());
        ASSERT_TRUE(model.Set(kPreset, kUser1));
        ASSERT_TRUE(model.Set(c.restore, 1));
        EXPECT_EQ(model.Get(kPreset).current, c.restore == 0x06 ? kUser1 : kFactory);
        ASSERT_TRUE(model.Set(kPreset, kUser2));
        ASSERT_TRUE(model.Set(kPreset, kUser1));
        EXPECT_EQ(Gains(model), c.userGainsAfter);
    }
}

TEST(ColourPresets, AMonitorWithoutPresetsOrGainsIsLeftAlone) {
    MonitorProfile profile = TwoUserPresets();
    profile.features[kPreset].reset();
    MonitorModel model(profile);
    EXPECT_EQ(Gains(model), (G{60, 55, 45}));
    ASSERT_TRUE(model.Set(kRed, 1));
    EXPECT_EQ(model.Get(kRed).current, 1);
}

}  // namespace
}  // namespace brevlink::sim
