#include "brevlink/sim/behaviour_restore_on_zero.h"

#include <gtest/gtest.h>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

MonitorProfile WithRestoreOnZero() {
    MonitorProfile profile = BuiltinProfile().monitors.at(0);
    profile.behaviours = std::vector<std::string>{"restore-defaults", "auto-setup", "restore-on-zero"};
    return profile;
}

TEST(RestoreOnZero, ZeroStartsTheCommandAsOneWould) {
    struct Case {
        uint8_t command;
        uint16_t value;
        uint8_t control;
        uint16_t reset;
        bool restored;
    };
    const Case cases[] = {
        {0x05, 0, 0x10, 75, true}, {0x05, 1, 0x10, 75, true},  {0x06, 0, 0x3E, 16, true},
        {0x1E, 0, 0x20, 50, true}, {0x10, 0, 0x12, 70, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " = " + std::to_string(c.value));
        MonitorModel model(WithRestoreOnZero());
        ASSERT_TRUE(model.Set(c.control, 3));
        EXPECT_TRUE(model.Set(c.command, c.value));
        EXPECT_EQ(model.Get(c.control).current == c.reset, c.restored);
    }
}

TEST(RestoreOnZero, NotPartOfTheStandardSet) {
    const std::vector<std::string> standard = StandardBehaviours();
    EXPECT_EQ(std::find(standard.begin(), standard.end(), "restore-on-zero"), standard.end());
    MonitorModel model(BuiltinProfile().monitors.at(0));
    ASSERT_TRUE(model.Set(0x10, 3));
    model.Set(0x05, 0);
    EXPECT_EQ(model.Get(0x10).current, 3);
}

}  // namespace
}  // namespace brevlink::sim
