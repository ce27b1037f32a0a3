#include "operator/run_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "operator/mode_state.h"

namespace kestrova::op {
namespace {

TEST(RunSettingsTest, StartValuesAndResetRestoresThem) {
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(TestMode.load(), kManualMode);
        EXPECT_FALSE(FullRangeTesting.load());
        EXPECT_FALSE(StopRequested.load());
        EXPECT_FALSE(UsingProject);
        EXPECT_TRUE(ProjectPath.Empty());
        EXPECT_TRUE(ProjectTitle.Empty());
        EXPECT_FALSE(SelectionConfirmed);
        EXPECT_TRUE(CheckoffInfo.checkoffUser.Empty());
        EXPECT_TRUE(CheckoffInfo.checkoffLockingCode.Empty());
        EXPECT_FALSE(CheckoffConfirmed);
        EXPECT_FALSE(IncludeAssetManagement || IncludeTheftDeterrence || IncludeAutoPivot || IncludeZoningPip ||
                     IncludeVistaCompliance);
        EXPECT_TRUE(PromptCaption.Empty());
        EXPECT_TRUE(PromptQuestion.Empty());
        EXPECT_EQ(PromptAnswer, 0);
        SettingsMenuState menu = CurrentSettingsMenu();
        EXPECT_TRUE(menu.manualChecked);
        EXPECT_FALSE(menu.automaticChecked);
        EXPECT_FALSE(menu.greyed);

        TestMode = kAutomaticMode;
        FullRangeTesting = true;
        StopRequested = true;
        UsingProject = true;
        ProjectPath = "C:\\p.vmdProj";
        ProjectTitle = "p";
        SelectionConfirmed = true;
        CheckoffInfo.checkoffUser = "someone";
        CheckoffInfo.checkoffLockingCode = "FF";
        CheckoffConfirmed = true;
        IncludeZoningPip = true;
        PromptCaption = "c";
        PromptQuestion = "q";
        PromptAnswer = -1;
        GreySettingsMenu();
        ResetRunSettings();
    }
}

TEST(RunSettingsTest, CapacitiesIncludeTheTerminator) {
    struct Case {
        const char* name;
        size_t capacity;
        size_t kept;
    };
    const std::string longText(2000, 'x');
    ProjectPath = longText;
    ProjectTitle = longText;
    CheckoffInfo.checkoffUser = longText;
    CheckoffInfo.checkoffFirmwareVersion = longText;
    CheckoffInfo.checkoffRevision = longText;
    CheckoffInfo.checkoffFirmwareDate = longText;
    CheckoffInfo.checkoffLockingCode = longText;
    const Case cases[] = {
        {"ProjectPath", ProjectPath.Capacity(), ProjectPath.Size()},
        {"ProjectTitle", ProjectTitle.Capacity(), ProjectTitle.Size()},
        {"checkoffUser", CheckoffInfo.checkoffUser.Capacity(), CheckoffInfo.checkoffUser.Size()},
        {"checkoffFirmwareVersion", CheckoffInfo.checkoffFirmwareVersion.Capacity(),
         CheckoffInfo.checkoffFirmwareVersion.Size()},
        {"checkoffRevision", CheckoffInfo.checkoffRevision.Capacity(), CheckoffInfo.checkoffRevision.Size()},
        {"checkoffFirmwareDate", CheckoffInfo.checkoffFirmwareDate.Capacity(),
         CheckoffInfo.checkoffFirmwareDate.Size()},
        {"checkoffLockingCode", CheckoffInfo.checkoffLockingCode.Capacity(), CheckoffInfo.checkoffLockingCode.Size()},
    };
    const size_t expected[] = {400, 300, 50, 20, 20, 20, 10};
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].capacity, expected[i]) << cases[i].name;
        EXPECT_EQ(cases[i].kept, expected[i] - 1) << cases[i].name;
    }
    ResetRunSettings();
}

}  // namespace
}  // namespace kestrova::op
