#include "project/vcp_tree_builder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/vcp_group_definitions.h"

namespace kestrova::project {
namespace {

class VcpTreeBuilderTest : public ::testing::Test {
  protected:
    void SetUp() override { catalogue::Catalogue().ClearCaps(); }
    void TearDown() override { catalogue::Catalogue().ClearCaps(); }

    void MarkCaps(std::initializer_list<uint8_t> codes) {
        for (uint8_t code : codes) {
            catalogue::Catalogue()[code].inCaps = true;
        }
    }

    std::vector<std::string> Labels(const std::vector<int>& ids) const {
        std::vector<std::string> labels;
        for (int id : ids) {
            labels.push_back(tree_.Item(id).label);
        }
        return labels;
    }

    // The groups whose item is ticked, and whether each ticked item is bold too.
    std::set<int> TickedGroups() const {
        std::set<int> groups;
        for (int g = 0; g < static_cast<int>(catalogue::kVcpGroupCount); ++g) {
            const VcpTreeItem& item = tree_.Item(tree_.GroupItem(g));
            EXPECT_EQ(item.Ticked(), item.bold) << item.label;
            if (item.Ticked()) {
                groups.insert(g);
            }
        }
        return groups;
    }

    const VcpTreeItem& Heading() const { return tree_.Item(tree_.RootItems()[9]); }

    VcpTree tree_;
};

TEST_F(VcpTreeBuilderTest, GroupsHangInTheirOrderWithTheColourHeadingAndSubgroups) {
    BuildVcpTree(tree_, false);

    EXPECT_EQ(Labels(tree_.RootItems()),
              (std::vector<std::string>{"Lumetra OSD Requirements", "Velmora Recommended commands",
                                        "Asset Management plugin", "Theft Deterrence plugin", "Auto Pivot plugin",
                                        "Zoning & PIP plugin", "Vista Compliance plugin", "Image Adjustment", "Audio",
                                        "6-axis color", "Geometry", "Windows (TV)", "Misc", "Manufacturer specific",
                                        "Preset Operations", "Reserved commands", "DPVL support"}));
    EXPECT_EQ(Heading().kind, VcpTreeItemKind::kHeading);
    EXPECT_EQ(Heading().helpText, "Red/Yellow/Green Cyan/Blue/Magenta.");
    EXPECT_EQ(Labels(Heading().children), (std::vector<std::string>{"6-axis hue", "6-axis saturation"}));

    // A parent group's own codes come first, then its subgroups.
    const std::vector<int>& geometry = tree_.Item(tree_.GroupItem(11)).children;
    ASSERT_EQ(geometry.size(), 12u + 2u);
    EXPECT_EQ(tree_.Item(geometry[0]).code, 0x44);
    EXPECT_EQ(tree_.Item(geometry[12]).label, "Horzontal geometry.");
    EXPECT_EQ(tree_.Item(geometry[13]).label, "Vertical geometry.");
    const std::vector<int>& windows = tree_.Item(tree_.GroupItem(14)).children;
    EXPECT_EQ(Labels(windows),
              (std::vector<std::string>{"        0x9A Window Background", "        0x8B TV-channel up/down", "Color"}));

    size_t codes = 0;
    for (const catalogue::VcpGroupDefinition& group : catalogue::kVcpGroupDefinitions) {
        codes += group.codes.size();
    }
    EXPECT_EQ(tree_.Size(), catalogue::kVcpGroupCount + 1 + codes);
    EXPECT_EQ(tree_.Item(tree_.GroupItem(7)).helpText, "Image adjustments such as brightness, contrast, etc.");
    EXPECT_EQ(tree_.Item(tree_.GroupItem(0)).helpText, "Lumetra OSD Requirements");
}

TEST_F(VcpTreeBuilderTest, NothingInCapsAndNoPreTickLeavesEveryItemUnticked) {
    BuildVcpTree(tree_, false);
    for (const VcpTreeItem& item : tree_.Items()) {
        EXPECT_EQ(item.tick, TickState::kUnchecked) << item.label;
        EXPECT_FALSE(item.bold) << item.label;
    }
    EXPECT_EQ(tree_.Item(tree_.CodeItem(0, 5)).label, "        0x10 Brightness/Luminance");
    EXPECT_EQ(tree_.Item(tree_.CodeItem(19, 0)).label, "        0x07 Reserved");
    EXPECT_EQ(tree_.Item(tree_.CodeItem(17, 0)).label, "        0xe0 Mfg specific");
}

TEST_F(VcpTreeBuilderTest, PreTickTicksBothRequirementGroupsWithAllTheirCodes) {
    MarkCaps({0xAA});
    BuildVcpTree(tree_, true);
    EXPECT_EQ(TickedGroups(), (std::set<int>{0, 1, 4}));
    for (int group : {0, 1}) {
        for (int id : tree_.Item(tree_.GroupItem(group)).children) {
            EXPECT_TRUE(tree_.Item(id).Ticked()) << tree_.Item(id).label;
            EXPECT_EQ(tree_.Item(id).label.substr(0, 8), "        ");
        }
    }
}

TEST_F(VcpTreeBuilderTest, CapsTickAndBoldTheGroupsThatListThem) {
    struct Case {
        std::initializer_list<uint8_t> caps;
        std::set<int> ticked;
        bool heading;
    };
    const Case cases[] = {
        // Geometry lists no code of its own here, but its horizontal subgroup does.
        {{0x22}, {6, 11, 12}, false}, {{0x32}, {6, 11, 13}, false},
        {{0x44}, {11}, false},        {{0x8C}, {14, 15}, false},
        {{0x8B}, {14}, false},        {{0x59}, {10}, true},
        {{0x9B}, {6, 9}, true},       {{0x10, 0xFA}, {0, 3, 6}, false},
        {{0xF1}, {5, 17}, false},     {{}, {}, false},
    };
    for (const Case& c : cases) {
        catalogue::Catalogue().ClearCaps();
        MarkCaps(c.caps);
        BuildVcpTree(tree_, false);
        EXPECT_EQ(TickedGroups(), c.ticked) << "first code " << (c.caps.size() ? int(*c.caps.begin()) : -1);
        EXPECT_EQ(Heading().Ticked(), c.heading);
        EXPECT_EQ(Heading().bold, c.heading);
    }
}

TEST_F(VcpTreeBuilderTest, ListedCodesCarryTheCapsLabelAndTickInEveryGroup) {
    MarkCaps({0x10});
    BuildVcpTree(tree_, false);
    for (const auto& [group, position] : {std::pair{0, 5}, std::pair{6, 2}}) {
        const VcpTreeItem& item = tree_.Item(tree_.CodeItem(group, position));
        EXPECT_EQ(item.label, "CAPS - 0x10 Brightness/Luminance");
        EXPECT_EQ(item.code, 0x10);
        EXPECT_TRUE(item.Ticked());
        EXPECT_FALSE(item.bold);
    }
    EXPECT_FALSE(tree_.Item(tree_.CodeItem(0, 6)).Ticked());
}

TEST_F(VcpTreeBuilderTest, RebuildingReplacesTheItems) {
    MarkCaps({0x10});
    BuildVcpTree(tree_, true);
    const size_t size = tree_.Size();
    catalogue::Catalogue().ClearCaps();
    BuildVcpTree(tree_, false);
    EXPECT_EQ(tree_.Size(), size);
    EXPECT_EQ(TickedGroups(), std::set<int>{});
}

}  // namespace
}  // namespace kestrova::project
