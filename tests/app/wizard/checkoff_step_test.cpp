#include "app/wizard/checkoff_step.h"

#include "wizard_fixture.h"

namespace kestrova::app::wizard {
namespace {

using testing::ScriptedCheckoff;

class CheckoffStepTest : public testing::WizardFixture {
  protected:
    void SetUp() override {
        WizardFixture::SetUp();
        StartFakeBus();
    }
};

TEST_F(CheckoffStepTest, DefaultsTakeTheFirstMonitorsFirmwareCutToNineteen) {
    bus::Monitors()[0].firmwareVersion = "FW-0123456789-abcdefghijklmnop";  // 30 characters
    bus::Monitors()[1].firmwareVersion = "other";
    bus::currentMonitor = 0;
    FillCheckoffDefaults();
    EXPECT_EQ(op::CheckoffInfo.checkoffUser, "Velmora Displays");
    EXPECT_EQ(op::CheckoffInfo.checkoffFirmwareVersion, "FW-0123456789-abcde");
    EXPECT_EQ(op::CheckoffInfo.checkoffRevision, "1.0");
    EXPECT_EQ(op::CheckoffInfo.checkoffFirmwareDate, "12/18/2007");
    EXPECT_EQ(op::CheckoffInfo.checkoffLockingCode, "FF");
}

TEST_F(CheckoffStepTest, OkStoresTheFieldsCutToCapacityAndLogsThemBeforeTheCaps) {
    struct Case {
        CheckoffFields typed;
        CheckoffFields kept;
    };
    const Case cases[] = {
        {{"Ann", "2.1", "B", "1/2/2026", "0A"}, {"Ann", "2.1", "B", "1/2/2026", "0A"}},
        {{std::string(60, 'u'), std::string(25, 'f'), std::string(20, 'r'), std::string(19, 'd'), std::string(12, 'k')},
         {std::string(49, 'u'), std::string(19, 'f'), std::string(19, 'r'), std::string(19, 'd'), std::string(9, 'k')}},
        {{"", "", "", "", ""}, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        presenter_.ClearEvents();
        ScriptedCheckoff dialog;
        dialog.answers.push_back(c.typed);

        EXPECT_TRUE(RunCheckoffInformation(dialog));

        EXPECT_TRUE(op::CheckoffConfirmed);
        EXPECT_EQ(op::CheckoffInfo.checkoffUser, c.kept.user);
        EXPECT_EQ(op::CheckoffInfo.checkoffLockingCode, c.kept.lockingCode);
        const std::vector<std::string> expected = {
            "Get information",
            "...enter your information and then press 'OK'",
            "User is '" + c.kept.user + "'",
            "Firmware version is '" + c.kept.firmwareVersion + "'",
            "Revision number is '" + c.kept.revision + "'",
            "Firmware date is '" + c.kept.firmwareDate + "'",
            "Locking code is '" + c.kept.lockingCode + "'",
            "Caps - 1 continuous, 1 discrete commands",
            "Caps -",
            "(vcp(10 60(1 3)))",
        };
        EXPECT_EQ(LogLines(), expected) << c.typed.user.size();
    }
    EXPECT_TRUE(catalogue::Catalogue()[0x10].inCaps);
    EXPECT_TRUE(catalogue::Catalogue()[0x60].inCaps);
}

TEST_F(CheckoffStepTest, WithAProjectTheLockingCodeIsHiddenButStillTaken) {
    op::UsingProject = true;
    ScriptedCheckoff dialog;
    dialog.answers.push_back(CheckoffFields{"Ann", "2.1", "B", "1/2/2026", "5C"});
    EXPECT_TRUE(RunCheckoffInformation(dialog));
    EXPECT_EQ(dialog.lockingCodeShown, std::vector<bool>{false});
    EXPECT_EQ(op::CheckoffInfo.checkoffLockingCode, "5C");
    EXPECT_EQ(LogLines()[6], "Locking code is '5C'");
}

TEST_F(CheckoffStepTest, CancelLogsOnlyTheIntroductionAndKeepsTheTexts) {
    FillCheckoffDefaults();
    op::CheckoffConfirmed = true;  // an earlier OK
    ScriptedCheckoff dialog;

    EXPECT_FALSE(RunCheckoffInformation(dialog));

    EXPECT_FALSE(op::CheckoffConfirmed);
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"Get information", "...enter your information and then press 'OK'"}));
    EXPECT_EQ(dialog.lockingCodeShown, std::vector<bool>{true});
    EXPECT_EQ(dialog.shown[0].user, "Velmora Displays");
    EXPECT_EQ(dialog.shown[0].firmwareVersion, "text of 2");
    EXPECT_EQ(op::CheckoffInfo.checkoffUser, "Velmora Displays");
    EXPECT_FALSE(catalogue::Catalogue()[0x10].inCaps);
}

}  // namespace
}  // namespace kestrova::app::wizard
