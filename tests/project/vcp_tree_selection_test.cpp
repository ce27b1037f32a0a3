#include "project/vcp_tree_selection.h"

#include <gtest/gtest.h>

#include <vector>

#include "project/vcp_tree_builder.h"

namespace kestrova::project {
namespace {

VcpSelection SelectionOf(std::initializer_list<uint8_t> codes) {
    VcpSelection selection{};
    for (uint8_t code : codes) {
        selection[code] = 1;
    }
    return selection;
}

class VcpTreeSelectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue::Catalogue().ClearCaps();
        catalogue::BuildVcpGroups(groups_);
        BuildVcpTree(tree_, false);
    }

    // Ticks the code's item in the first group (by index) that lists it.
    void TickFirst(uint8_t code) {
        for (const VcpTreeItem& item : tree_.Items()) {
            if (item.kind == VcpTreeItemKind::kCode && item.code == code) {
                tree_.SetTicked(tree_.CodeItem(item.group, item.position), true);
                return;
            }
        }
        FAIL() << int(code);
    }

    VcpTree tree_;
    catalogue::VcpGroupArray groups_{};
};

TEST(SelectionPreviewTest, CodesInOrderWithTheLastBlankClosingTheList) {
    struct Case {
        VcpSelection selection;
        const char* analog;
        const char* digital;
    };
    const Case cases[] = {
        {SelectionOf({}), "Analog - vcp)", "Digital - vcp)"},
        {SelectionOf({0x20, 0x10}), "Analog - vcp(10 20)", "Digital - vcp(10)"},
        {SelectionOf({0x06, 0x0E, 0x1E, 0x20, 0x30, 0x3E}), "Analog - vcp(06 0E 1E 20 30 3E)", "Digital - vcp)"},
        {SelectionOf({0x00, 0xFF, 0xab}), "Analog - vcp(00 AB FF)", "Digital - vcp(00 AB FF)"},
    };
    for (const Case& c : cases) {
        VcpSelection digital = c.selection;
        RemoveAnalogOnlyCodes(digital);
        EXPECT_EQ(SelectionPreview(kAnalogPreviewPrefix, c.selection), c.analog);
        EXPECT_EQ(SelectionPreview(kDigitalPreviewPrefix, digital), c.digital);
    }
}

TEST_F(VcpTreeSelectionTest, NothingTickedGivesEmptyPreviewsAndSelection) {
    const TreeSelection result = BuildVcpSelection(tree_, groups_);
    EXPECT_EQ(result.analogPreview, "Analog - vcp)");
    EXPECT_EQ(result.digitalPreview, "Digital - vcp)");
    EXPECT_EQ(result.selection, VcpSelection{});
}

TEST_F(VcpTreeSelectionTest, TickingTenAndTwentySavesOnlyTen) {
    TickFirst(0x10);
    TickFirst(0x20);
    const TreeSelection result = BuildVcpSelection(tree_, groups_);
    EXPECT_EQ(result.analogPreview, "Analog - vcp(10 20)");
    EXPECT_EQ(result.digitalPreview, "Digital - vcp(10)");
    EXPECT_EQ(result.selection, SelectionOf({0x10}));
}

TEST_F(VcpTreeSelectionTest, CollectingSetsEachTickInItsOwnGroupOnly) {
    groups_[19].enabled = true;  // left from an earlier collection
    groups_[19].selected[3] = true;
    tree_.SetTicked(tree_.CodeItem(6, 2), true);  // 0x10 in the Vista group only
    tree_.Item(tree_.GroupItem(2)).tick = TickState::kNoImage;
    tree_.SetTicked(tree_.RootItems()[9], true);  // "6-axis color" is no group

    CollectTreeSelection(tree_, groups_);

    for (const catalogue::VcpGroup& group : groups_) {
        EXPECT_EQ(group.enabled, group.index == 2) << group.name.CStr();
        for (int32_t i = 0; i < group.count; ++i) {
            EXPECT_EQ(group.selected[static_cast<size_t>(i)], group.index == 6 && i == 2) << group.name.CStr() << i;
        }
    }
}

TEST_F(VcpTreeSelectionTest, SavedSelectionTickedBackCollectsToTheSameCodes) {
    const VcpSelection saved = SelectionOf({0x04, 0x10, 0x22, 0x59, 0x9B, 0xE0, 0xFA});
    TickSelectedCodes(tree_, saved);

    // Every item listing a saved code is ticked, in every group.
    for (const VcpTreeItem& item : tree_.Items()) {
        if (item.kind == VcpTreeItemKind::kCode) {
            EXPECT_EQ(item.Ticked(), saved[item.code] != 0) << item.label;
        }
    }
    EXPECT_EQ(BuildVcpSelection(tree_, groups_).selection, saved);
    EXPECT_TRUE(groups_[0].selected[5]);
    EXPECT_TRUE(groups_[6].selected[2]);
    EXPECT_FALSE(groups_[0].enabled);
}

TEST_F(VcpTreeSelectionTest, TickingBackOnlyAddsTicks) {
    BuildVcpTree(tree_, true);
    TickSelectedCodes(tree_, SelectionOf({0x62}));
    const VcpSelection result = BuildVcpSelection(tree_, groups_).selection;
    EXPECT_EQ(result[0x62], 1);
    EXPECT_EQ(result[0x04], 1);  // pre-ticked requirement code
    EXPECT_EQ(result[0x0E], 0);  // pre-ticked, but never saved
    EXPECT_TRUE(groups_[0].enabled);
}

TEST_F(VcpTreeSelectionTest, DeselectAllEmptiesTheCollection) {
    BuildVcpTree(tree_, true);
    tree_.UncheckAll();
    CollectTreeSelection(tree_, groups_);
    EXPECT_EQ(SelectionFromGroups(groups_), VcpSelection{});
    for (const catalogue::VcpGroup& group : groups_) {
        EXPECT_FALSE(group.enabled);
    }
}

}  // namespace
}  // namespace kestrova::project
