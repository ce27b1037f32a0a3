#include "brevlink/sim/behaviour_auto_setup.h"

#include <gtest/gtest.h>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

MonitorProfile Compliant() {
    return BuiltinProfile().monitors.at(0);
}

TEST(AutoSetup, EachCommandFitsItsOwnControls) {
    struct Case {
        const char* name;
        uint8_t command;
        uint16_t value;
        bool geometryFitted;
        bool gainsFitted;
    };
    const Case cases[] = {
        {"auto setup", 0x1E, 1, true, false},
        {"auto colour setup", 0x1F, 1, false, true},
        {"zero starts nothing", 0x1E, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorProfile profile = Compliant();
        VcpFeature command;
        command.kind = VcpKind::kNonContinuous;
        command.momentary = true;
        command.maximum = 1;
        profile.features[0x1F] = command;
        MonitorModel model(profile);
        for (uint8_t code : {0x0E, 0x3E, 0x20, 0x30, 0x16, 0x18, 0x1A, 0x10}) {
            ASSERT_TRUE(model.Set(code, 3));
        }
        model.Set(c.command, c.value);
        EXPECT_EQ(model.Get(0x0E).current == 50, c.geometryFitted);
        EXPECT_EQ(model.Get(0x3E).current == 16, c.geometryFitted);
        EXPECT_EQ(model.Get(0x20).current == 50, c.geometryFitted);
        EXPECT_EQ(model.Get(0x30).current == 50, c.geometryFitted);
        EXPECT_EQ(model.Get(0x16).current == 50, c.gainsFitted);
        EXPECT_EQ(model.Get(0x1A).current == 50, c.gainsFitted);
        EXPECT_EQ(model.Get(0x10).current, 3);
        // Fitting is not a restore: the monitor stays ready to answer.
        EXPECT_EQ(model.Restores(), 0u);
    }
}

TEST(AutoSetup, AMonitorWithoutTheCommandIgnoresIt) {
    MonitorModel model(Compliant());  // lists 0x1E but not 0x1F
    ASSERT_TRUE(model.Set(0x16, 3));
    EXPECT_FALSE(model.Set(0x1F, 1));
    EXPECT_EQ(model.Get(0x16).current, 3);
}

}  // namespace
}  // namespace brevlink::sim
