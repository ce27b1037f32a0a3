#include "app/console/selection_choice.h"

#include <gtest/gtest.h>

#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "project/vcp_tree_builder.h"
#include "project/vcp_tree_selection.h"

namespace kestrova::app::console {
namespace {

TEST(SelectionChoice, GroupListsByLetter) {
    struct Case {
        const char* text;
        std::vector<int> groups;
        bool ok;
    } cases[] = {
        {"a,C, u", {0, 2, 20}, true},
        {"none", {}, true},
        {"NONE", {}, true},
        {"a,,b", {}, false},
        {"ab", {}, false},
        {"v", {}, false},
        {"1", {}, false},
    };
    for (const Case& c : cases) {
        std::vector<int> groups;
        std::string error;
        EXPECT_EQ(ParseGroupList(c.text, groups, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(groups, c.groups) << c.text;
        }
    }
    std::vector<int> all;
    std::string error;
    ASSERT_TRUE(ParseGroupList("all", all, error));
    EXPECT_EQ(all.size(), catalogue::kVcpGroupCount);
}

TEST(SelectionChoice, CodeListsInHex) {
    struct Case {
        const char* text;
        std::vector<uint8_t> codes;
        bool ok;
    } cases[] = {
        {"0x10, 12,0XdF", {0x10, 0x12, 0xDF}, true},
        {"none", {}, true},
        {"0x", {}, false},
        {"g1", {}, false},
        {"0x1234", {}, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> codes;
        std::string error;
        EXPECT_EQ(ParseCodeList(c.text, codes, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(codes, c.codes) << c.text;
        }
    }
}

// What a run walks after the tree is collected: the enabled groups and the selected codes.
struct Walked {
    std::vector<int> enabled;
    std::vector<std::pair<int, int32_t>> selected;  // group, code
};

Walked Collect(const project::VcpTree& tree) {
    catalogue::VcpGroupArray groups;
    catalogue::BuildVcpGroups(groups);
    project::CollectTreeSelection(tree, groups);
    Walked walked;
    for (const catalogue::VcpGroup& group : groups) {
        if (group.enabled) {
            walked.enabled.push_back(group.index);
        }
        for (int32_t i = 0; i < group.count; ++i) {
            if (group.selected[static_cast<size_t>(i)]) {
                walked.selected.emplace_back(group.index, group.codes[i]);
            }
        }
    }
    return walked;
}

TEST(SelectionChoice, ChoiceReplacesThePreTicksAndTicksTheGroupsOfEachCode) {
    catalogue::VcpCatalogue catalogue;
    catalogue[0x62].inCaps = true;  // Audio, group i (8)

    project::VcpTree tree;
    project::BuildVcpTree(tree, false, catalogue);
    ApplySelectionChoice(SelectionChoice{}, tree);
    const Walked asBuilt = Collect(tree);
    EXPECT_EQ(asBuilt.enabled, std::vector<int>{8});

    SelectionChoice choice;
    choice.given = true;
    choice.groups = {4};    // Auto Pivot: 0xAA
    choice.codes = {0x10};  // in Lumetra OSD (0) and Vista Compliance (6)
    ApplySelectionChoice(choice, tree);
    const Walked chosen = Collect(tree);
    EXPECT_EQ(chosen.enabled, (std::vector<int>{0, 4, 6}));
    EXPECT_EQ(chosen.selected, (std::vector<std::pair<int, int32_t>>{{0, 0x10}, {4, 0xAA}, {6, 0x10}}));

    SelectionChoice nothing;
    nothing.given = true;
    ApplySelectionChoice(nothing, tree);
    EXPECT_TRUE(Collect(tree).enabled.empty());
}

TEST(SelectionChoice, GroupListingNamesEveryGroupWithItsLabel) {
    const std::vector<std::string> lines = GroupListing();
    ASSERT_EQ(lines.size(), catalogue::kVcpGroupCount);
    EXPECT_EQ(lines[4], "e) Auto Pivot plugin: 0xAA");
}

}  // namespace
}  // namespace kestrova::app::console
