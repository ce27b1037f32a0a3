#include "operator/mode_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "operator/run_settings.h"

namespace kestrova::op {
namespace {

class Observer : public ModeObserver {
  public:
    void SettingsMenuChanged(const SettingsMenuState& state) override { menus.push_back(state); }
    void ModeCaptionChanged(const std::string& caption) override { captions.push_back(caption); }

    std::vector<SettingsMenuState> menus;
    std::vector<std::string> captions;
};

class ModeStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRunSettings();
        InstallModeObserver(&observer_);
    }
    void TearDown() override {
        InstallModeObserver(nullptr);
        ResetRunSettings();
    }
    Observer observer_;
};

TEST_F(ModeStateTest, CaptionFollowsModeAndLevel) {
    struct Case {
        int mode;
        bool robust;
        const char* caption;
    };
    const Case cases[] = {
        {kManualMode, false, "Manual - Standard"},
        {kManualMode, true, "Manual - Robust"},
        {kAutomaticMode, false, "Automatic - Standard"},
        {kAutomaticMode, true, "Automatic - Robust"},
    };
    for (const Case& c : cases) {
        TestMode = c.mode;
        FullRangeTesting = c.robust;
        EXPECT_EQ(ModeCaptionText(), c.caption);
        UpdateModeCaption();
        ASSERT_FALSE(observer_.captions.empty());
        EXPECT_EQ(observer_.captions.back(), c.caption);
    }
}

TEST_F(ModeStateTest, StartUpIsManualStandardWithManualChecked) {
    EXPECT_EQ(ModeCaptionText(), "Manual - Standard");
    TestMode = kAutomaticMode;
    FullRangeTesting = true;
    GreySettingsMenu();
    ApplyStartUpMode();
    EXPECT_EQ(ModeCaptionText(), "Manual - Standard");
    SettingsMenuState menu = CurrentSettingsMenu();
    EXPECT_TRUE(menu.manualChecked);
    EXPECT_FALSE(menu.automaticChecked);
    EXPECT_FALSE(menu.greyed);
}

TEST_F(ModeStateTest, MenuChoiceMovesCheckMarkAndUpdatesCaption) {
    EXPECT_TRUE(ChooseModeFromMenu(kAutomaticMode));
    EXPECT_EQ(TestMode.load(), kAutomaticMode);
    SettingsMenuState menu = CurrentSettingsMenu();
    EXPECT_TRUE(menu.automaticChecked);
    EXPECT_FALSE(menu.manualChecked);
    ASSERT_EQ(observer_.captions.size(), 1u);
    EXPECT_EQ(observer_.captions[0], "Automatic - Standard");
    ASSERT_FALSE(observer_.menus.empty());
    EXPECT_TRUE(observer_.menus.back().automaticChecked);

    EXPECT_TRUE(ChooseModeFromMenu(kManualMode));
    EXPECT_EQ(TestMode.load(), kManualMode);
    EXPECT_TRUE(CurrentSettingsMenu().manualChecked);
    EXPECT_FALSE(CurrentSettingsMenu().automaticChecked);
}

TEST_F(ModeStateTest, GreyedMenuRefusesEveryChoice) {
    GreySettingsMenu();
    EXPECT_TRUE(observer_.menus.back().greyed);
    EXPECT_FALSE(ChooseModeFromMenu(kAutomaticMode));
    EXPECT_FALSE(ChooseModeFromMenu(kManualMode));
    EXPECT_EQ(TestMode.load(), kManualMode);
    EXPECT_TRUE(CurrentSettingsMenu().manualChecked);
    EXPECT_TRUE(observer_.captions.empty());
}

}  // namespace
}  // namespace kestrova::op
