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
    catalogue::Catalogue()[0x10].inCaps = true;
    ScriptedSelection dialog;
    std::vector<int> tickedGroups;
    dialog.engineer = [&](project::VcpTree& tree) {
        for (int g = 0; g < static_cast<int>(catalogue::kVcpGroupCount); ++g) {
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

    EXPECT_TRUE(op::SelectionConfirmed);
    const catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
    EXPECT_TRUE(groups[0].enabled);
    EXPECT_TRUE(groups[0].selected[5]);
    EXPECT_FALSE(groups[6].enabled);
    EXPECT_FALSE(groups[6].selected[2]);
    EXPECT_TRUE(groups[3].selected[4]);
    EXPECT_TRUE(op::IncludeTheftDeterrence);
    EXPECT_TRUE(op::IncludeZoningPip);  // never given a check box image: included
    EXPECT_FALSE(op::IncludeAssetManagement || op::IncludeAutoPivot || op::IncludeVistaCompliance);
}

TEST_F(SelectionStepTest, CancelKeepsGroupsAndPlugins) {
    catalogue::VcpGroups()[7].enabled = true;
    catalogue::VcpGroups()[7].selected[1] = true;
    op::IncludeAutoPivot = true;
    ScriptedSelection dialog;
    dialog.engineer = [](project::VcpTree& tree) {
        tree.UncheckAll();
        return false;
    };
    RunVcpSelection(dialog);
    EXPECT_FALSE(op::SelectionConfirmed);
    EXPECT_TRUE(catalogue::VcpGroups()[7].enabled);
    EXPECT_TRUE(catalogue::VcpGroups()[7].selected[1]);
    EXPECT_TRUE(op::IncludeAutoPivot);
}

TEST_F(SelectionStepTest, DeselectAllThenOkLeavesNothingToTest) {
    catalogue::Catalogue()[0xAA].inCaps = true;
    op::IncludeAutoPivot = true;
    ScriptedSelection dialog;
    dialog.engineer = [](project::VcpTree& tree) {
        tree.UncheckAll();
        return true;
    };
    RunVcpSelection(dialog);
    for (const catalogue::VcpGroup& group : catalogue::VcpGroups()) {
        EXPECT_FALSE(group.enabled) << group.name.CStr();
    }
    EXPECT_FALSE(op::IncludeAutoPivot);
}

TEST_F(SelectionStepTest, WithoutALibraryTheCapsStringIsEmpty) {
    bound_.reset();
    EXPECT_EQ(ReadCapabilitiesString(), "");
}

}  // namespace
}  // namespace kestrova::app::wizard
