#include "app/wizard/selection_step.h"

#include "wizard_fixture.h"

namespace kestrova::app::wizard {
namespace {

using testing::ScriptedSelection;

class SelectionStepTest : public testing::WizardFixture {
  protected:
    void SetUp() override {
        WizardFixture::SetUp();
        StartFakeBus();
    }
};

TEST_F(SelectionStepTest, TheDialogGetsAnUnpreTickedTreeAndTheCapsString) {
    engine::Catalogue()[0x10].inCaps = true;
    ScriptedSelection dialog;
    std::vector<int> tickedGroups;
    dialog.engineer = [&](project::VcpTree& tree) {
        for (int g = 0; g < static_cast<int>(engine::kVcpGroupCount); ++g) {
            if (tree.Item(tree.GroupItem(g)).Ticked()) {
                tickedGroups.push_back(g);
            }
        }
        return false;
    };
    RunVcpSelection(dialog);
    EXPECT_EQ(dialog.capabilities, std::vector<std::string>{"(vcp(10 60(1 3)))"});
    EXPECT_EQ(tickedGroups, (std::vector<int>{0, 6}));
    EXPECT_EQ(bus::testing::Fake().locksHeld, 0);
}

TEST_F(SelectionStepTest, OkCollectsTheTicksIntoTheRunsGroupsAndThePlugins) {
    ScriptedSelection dialog;
    dialog.engineer = [](project::VcpTree& tree) {
        tree.SetTicked(tree.CodeItem(0, 5), true);  // 0x10 in the requirement group only
        tree.SetTicked(tree.GroupItem(0), true);
        tree.SetGroupTicked(3, true);
        tree.Item(tree.GroupItem(5)).tick = project::TickState::kNoImage;
        return true;
    };
    RunVcpSelection(dialog);

    EXPECT_TRUE(SelectionConfirmed);
    const engine::VcpGroupArray& groups = engine::VcpGroups();
    EXPECT_TRUE(groups[0].enabled);
    EXPECT_TRUE(groups[0].selected[5]);
    EXPECT_FALSE(groups[6].enabled);
    EXPECT_FALSE(groups[6].selected[2]);
    EXPECT_TRUE(groups[3].selected[4]);
    EXPECT_TRUE(IncludeTheftDeterrence);
    EXPECT_TRUE(IncludeZoningPip);  // never given a check box image: included
    EXPECT_FALSE(IncludeAssetManagement || IncludeAutoPivot || IncludeVistaCompliance);
}

TEST_F(SelectionStepTest, CancelKeepsGroupsAndPlugins) {
    engine::VcpGroups()[7].enabled = true;
    engine::VcpGroups()[7].selected[1] = true;
    IncludeAutoPivot = true;
    ScriptedSelection dialog;
    dialog.engineer = [](project::VcpTree& tree) {
        tree.UncheckAll();
        return false;
    };
    RunVcpSelection(dialog);
    EXPECT_FALSE(SelectionConfirmed);
    EXPECT_TRUE(engine::VcpGroups()[7].enabled);
    EXPECT_TRUE(engine::VcpGroups()[7].selected[1]);
    EXPECT_TRUE(IncludeAutoPivot);
}

TEST_F(SelectionStepTest, DeselectAllThenOkLeavesNothingToTest) {
    engine::Catalogue()[0xAA].inCaps = true;
    IncludeAutoPivot = true;
    ScriptedSelection dialog;
    dialog.engineer = [](project::VcpTree& tree) {
        tree.UncheckAll();
        return true;
    };
    RunVcpSelection(dialog);
    for (const engine::VcpGroup& group : engine::VcpGroups()) {
        EXPECT_FALSE(group.enabled) << group.name.CStr();
    }
    EXPECT_FALSE(IncludeAutoPivot);
}

TEST_F(SelectionStepTest, WithoutALibraryTheCapsStringIsEmpty) {
    bound_.reset();
    EXPECT_EQ(ReadCapabilitiesString(), "");
}

}  // namespace
}  // namespace kestrova::app::wizard
