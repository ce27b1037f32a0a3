#include "project/vcp_tree.h"

#include <gtest/gtest.h>

namespace kestrova::project {
namespace {

VcpTreeItem GroupItem(int group) {
    VcpTreeItem item;
    item.kind = VcpTreeItemKind::kGroup;
    item.group = group;
    return item;
}

VcpTreeItem CodeItem(int group, int position) {
    VcpTreeItem item;
    item.kind = VcpTreeItemKind::kCode;
    item.group = group;
    item.position = position;
    return item;
}

TEST(VcpTreeTest, ItemsHangBelowTheirParentsInInsertionOrder) {
    VcpTree tree;
    const int heading = tree.Add(kNoItem, VcpTreeItem{});
    const int group = tree.Add(heading, GroupItem(9));
    const int first = tree.Add(group, CodeItem(9, 0));
    const int second = tree.Add(group, CodeItem(9, 1));
    const int other = tree.Add(kNoItem, GroupItem(11));

    EXPECT_EQ(tree.RootItems(), (std::vector<int>{heading, other}));
    EXPECT_EQ(tree.Item(group).children, (std::vector<int>{first, second}));
    EXPECT_EQ(tree.Item(second).parent, group);
    EXPECT_EQ(tree.GroupItem(9), group);
    EXPECT_EQ(tree.CodeItem(9, 1), second);
    EXPECT_EQ(tree.GroupItem(10), kNoItem);
    EXPECT_EQ(tree.CodeItem(9, 2), kNoItem);
    EXPECT_EQ(tree.CodeItem(-1, 0), kNoItem);
}

TEST(VcpTreeTest, IdsOutsideTheTreeTouchNothing) {
    VcpTree tree;
    tree.Add(kNoItem, GroupItem(0));
    tree.SetTicked(5, true);
    tree.Item(-3).tick = TickState::kChecked;
    EXPECT_FALSE(tree.Item(5).Ticked());
    EXPECT_EQ(tree.Item(0).tick, TickState::kUnchecked);
    const int child = tree.Add(42, CodeItem(0, 0));
    EXPECT_EQ(tree.Item(child).parent, kNoItem);
}

TEST(VcpTreeTest, GroupTicksReachItsCodesButNotOtherGroups) {
    VcpTree tree;
    const int group = tree.Add(kNoItem, GroupItem(3));
    const int code = tree.Add(group, CodeItem(3, 0));
    const int sub = tree.Add(group, GroupItem(4));
    const int subCode = tree.Add(sub, CodeItem(4, 0));

    tree.SetGroupTicked(3, true);
    EXPECT_TRUE(tree.Item(group).Ticked());
    EXPECT_TRUE(tree.Item(code).Ticked());
    EXPECT_FALSE(tree.Item(sub).Ticked());
    EXPECT_FALSE(tree.Item(subCode).Ticked());

    tree.Item(subCode).tick = TickState::kNoImage;
    EXPECT_TRUE(tree.Item(subCode).Ticked());
    tree.UncheckAll();
    for (const VcpTreeItem& item : tree.Items()) {
        EXPECT_EQ(item.tick, TickState::kUnchecked);
    }
}

}  // namespace
}  // namespace kestrova::project
