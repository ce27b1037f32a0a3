#include "project/project_run_selection.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace kestrova::project {
namespace {

using Tick = std::pair<int, int>;  // group index, position

std::set<Tick> SelectedTicks(const catalogue::VcpGroupArray& groups) {
    std::set<Tick> ticks;
    for (const catalogue::VcpGroup& group : groups) {
        for (int32_t i = 0; i < group.count; ++i) {
            if (group.selected[static_cast<size_t>(i)]) {
                ticks.insert({group.index, i});
            }
        }
    }
    return ticks;
}

std::set<int> EnabledGroups(const catalogue::VcpGroupArray& groups) {
    std::set<int> enabled;
    for (const catalogue::VcpGroup& group : groups) {
        if (group.enabled) {
            enabled.insert(group.index);
        }
    }
    return enabled;
}

TEST(ProjectRunSelectionTest, SavedCodesTickEveryGroupListingThemAndNothingElse) {
    catalogue::VcpGroupArray groups{};
    catalogue::BuildVcpGroups(groups);
    groups[16].enabled = true;  // what an earlier tree left
    groups[16].selected[0] = true;

    ProjectRecord record;
    record.selection[0x10] = 1;
    record.selection[0x22] = 1;
    record.selection[0xF1] = 1;
    ApplyProjectToGroups(record, groups);

    EXPECT_EQ(SelectedTicks(groups), (std::set<Tick>{{0, 5}, {6, 2}, {6, 20}, {12, 0}, {5, 9}, {17, 15}}));
    EXPECT_EQ(EnabledGroups(groups), (std::set<int>{0, 5, 6, 12, 17}));
}

TEST(ProjectRunSelectionTest, RequiredPluginsEnableTheirGroupsAndInclusion) {
    struct Case {
        uint16_t bits;
        int group;
        PluginInclusion inclusion;
    };
    const Case cases[] = {
        {kPluginVista, 6, {false, false, false, false, true}},
        {kPluginAssetManagement, 2, {true, false, false, false, false}},
        {kPluginTheftDeterrence, 3, {false, true, false, false, false}},
        {kPluginZoningPip, 5, {false, false, false, true, false}},
        {kPluginAutoPivot, 4, {false, false, true, false, false}},
    };
    for (const Case& c : cases) {
        catalogue::VcpGroupArray groups{};
        catalogue::BuildVcpGroups(groups);
        ProjectRecord record;
        record.pluginBits = c.bits;
        ApplyProjectToGroups(record, groups);
        EXPECT_EQ(EnabledGroups(groups), std::set<int>{c.group}) << c.bits;
        EXPECT_TRUE(SelectedTicks(groups).empty());
        EXPECT_EQ(PluginInclusionFromGroups(groups), c.inclusion) << c.bits;
    }
}

TEST(ProjectRunSelectionTest, OnlyTheLowByteOfThePluginBitsCounts) {
    catalogue::VcpGroupArray groups{};
    catalogue::BuildVcpGroups(groups);
    ProjectRecord record;
    record.pluginBits = 0xFF00;
    ApplyProjectToGroups(record, groups);
    EXPECT_TRUE(EnabledGroups(groups).empty());
}

}  // namespace
}  // namespace kestrova::project
