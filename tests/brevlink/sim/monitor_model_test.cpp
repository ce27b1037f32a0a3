#include "brevlink/sim/monitor_model.h"

#include <gtest/gtest.h>

namespace brevlink::sim {
namespace {

MonitorProfile Profile() {
    MonitorProfile profile;
    profile.position = 1;
    profile.behaviours.emplace();  // none: the plain feature model
    VcpFeature brightness;
    brightness.current = 50;
    brightness.maximum = 100;
    profile.features[0x10] = brightness;
    VcpFeature preset;
    preset.kind = VcpKind::kNonContinuous;
    preset.current = 5;
    preset.maximum = 11;
    preset.values = {1, 5, 11};
    profile.features[0x14] = preset;
    VcpFeature version;
    version.access = VcpAccess::kReadOnly;
    version.current = 0x0202;
    version.maximum = 0xFFFF;
    profile.features[0xDF] = version;
    VcpFeature pin;
    pin.access = VcpAccess::kWriteOnly;
    pin.maximum = 0xFFFF;
    profile.features[0xFC] = pin;
    VcpFeature refused;
    refused.unsupported = true;
    profile.features[0x99] = refused;
    return profile;
}

TEST(MonitorModel, WritesAreTakenOnlyWhereTheFeatureAllows) {
    struct Case {
        uint8_t code;
        uint16_t value;
        bool applied;
        uint16_t currentAfter;
    };
    const Case cases[] = {
        {0x10, 30, true, 30},          {0x10, 100, true, 100}, {0x10, 101, false, 50},  // beyond the maximum
        {0x14, 11, true, 11},          {0x14, 6, false, 5},                             // not in the list
        {0xDF, 0x0300, false, 0x0202},                                                  // read-only
        {0x99, 1, false, 0},           {0x42, 1, false, 0},                             // unsupported, absent
    };
    for (const Case& c : cases) {
        MonitorModel model(Profile());
        EXPECT_EQ(model.Set(c.code, c.value), c.applied) << std::hex << int(c.code) << " " << c.value;
        const VcpFeature* feature = model.Feature(c.code);
        if (feature != nullptr && !feature->unsupported) {
            EXPECT_EQ(feature->current, c.currentAfter) << std::hex << int(c.code);
        }
    }
}

TEST(MonitorModel, WhatAGetAnswers) {
    MonitorModel model(Profile());
    ASSERT_TRUE(model.Set(0xFC, 0x3B27));
    const FeatureAnswer pin = model.Get(0xFC);
    EXPECT_TRUE(pin.supported);
    EXPECT_EQ(pin.current, 0) << "a write-only control never gives its value away";
    EXPECT_EQ(model.Feature(0xFC)->current, 0x3B27);
    EXPECT_FALSE(model.Get(0x99).supported);
    EXPECT_FALSE(model.Get(0x42).supported);
    const FeatureAnswer version = model.Get(0xDF);
    EXPECT_TRUE(version.supported);
    EXPECT_EQ(version.current, 0x0202);
    EXPECT_EQ(version.maximum, 0xFFFF);
}

TEST(MonitorModel, PanelChangesReadOnlyControlsToo) {
    MonitorModel model(Profile());
    EXPECT_TRUE(model.Press(0xDF, 0x0201));
    EXPECT_EQ(model.Get(0xDF).current, 0x0201);
    EXPECT_FALSE(model.Press(0x42, 1));
}

TEST(MonitorModel, WriteLogIsBounded) {
    MonitorModel model(Profile());
    for (int i = 0; i < 5000; ++i) {
        model.RecordWrite(0x10, static_cast<uint16_t>(i), true);
    }
    ASSERT_EQ(model.Writes().size(), 4096u);
    EXPECT_EQ(model.Writes().back().value, 4999);
    model.ClearWrites();
    EXPECT_TRUE(model.Writes().empty());
}

}  // namespace
}  // namespace brevlink::sim
