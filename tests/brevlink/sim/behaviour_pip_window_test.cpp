#include "brevlink/sim/behaviour_pip_window.h"

#include <gtest/gtest.h>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

// The compliant monitor has the window among its standard behaviours.
MonitorProfile Compliant() {
    return BuiltinProfile().monitors.at(0);
}

constexpr char kTopLeft[] =
    "pip window 10,10-170,100 size 50 transparency 15 brightness 50 contrast 50 hue 50 saturation 50\n";

// The tester's way of opening the window: hidden, selected, placed, shown.
void Open(MonitorModel& model) {
    for (auto [code, value] : {std::pair<uint8_t, uint16_t>{0xA4, 0},
                               {0xA5, 0x100},
                               {0x95, 10},
                               {0x96, 10},
                               {0x97, 170},
                               {0x98, 100},
                               {0xA4, 0xFF}}) {
        ASSERT_TRUE(model.Set(code, value)) << std::hex << int(code);
    }
}

TEST(PipWindow, APlacedWindowIsSeenOnlyOnceShown) {
    MonitorModel model(Compliant());
    ASSERT_TRUE(model.Set(0xA4, 0));
    ASSERT_TRUE(model.Set(0xA5, 0x100));
    ASSERT_TRUE(model.Set(0x95, 10));
    EXPECT_EQ(model.Look(), "");
    Open(model);
    EXPECT_EQ(model.Look(), kTopLeft);
    // Looking forgets what was seen.
    EXPECT_EQ(model.Look(), "");
}

TEST(PipWindow, EveryVisibleChangeIsALineAndClosingToo) {
    MonitorModel model(Compliant());
    Open(model);
    model.Look();
    ASSERT_TRUE(model.Set(0xEA, 20));
    ASSERT_TRUE(model.Set(0xF5, 3));
    ASSERT_TRUE(model.Set(0xF5, 3));  // no change, nothing seen
    ASSERT_TRUE(model.Set(0x97, 1960));
    ASSERT_TRUE(model.Set(0xA5, 0));
    ASSERT_TRUE(model.Set(0xF1, 0));  // a closed window shows nothing
    EXPECT_EQ(model.Look(),
              "pip window 10,10-170,100 size 20 transparency 15 brightness 50 contrast 50 hue 50 saturation 50\n"
              "pip window 10,10-170,100 size 20 transparency 3 brightness 50 contrast 50 hue 50 saturation 50\n"
              "pip window 10,10-1960,100 size 20 transparency 3 brightness 50 contrast 50 hue 50 saturation 50\n"
              "pip window closed\n");
}

TEST(PipWindow, HidingWithTheMaskClosesItAndShowingAgainReopens) {
    MonitorModel model(Compliant());
    Open(model);
    ASSERT_TRUE(model.Set(0xA4, 0));
    ASSERT_TRUE(model.Set(0xA4, 0xFF));
    EXPECT_EQ(model.Look(), std::string(kTopLeft) + "pip window closed\n" + kTopLeft);
}

TEST(PipWindow, PanelChangesAreSeenToo) {
    MonitorModel model(Compliant());
    Open(model);
    model.Look();
    ASSERT_TRUE(model.Press(0xF3, 7));
    EXPECT_EQ(model.Look(),
              "pip window 10,10-170,100 size 50 transparency 15 brightness 50 contrast 50 hue 7 saturation 50\n");
}

TEST(PipWindow, AMonitorWithoutTheBehaviourShowsNothing) {
    MonitorProfile profile = Compliant();
    profile.behaviours = std::vector<std::string>{"restore-defaults"};
    MonitorModel model(profile);
    Open(model);
    EXPECT_EQ(model.Look(), "");
    EXPECT_NE(MakePipWindow(), nullptr);
}

}  // namespace
}  // namespace brevlink::sim
