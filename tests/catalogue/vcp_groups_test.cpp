#include "catalogue/vcp_groups.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_named_codes.h"

namespace kestrova::catalogue {
namespace {

TEST(VcpGroupsTest, BuiltInGroupsInIndexOrder) {
    struct Case {
        const char* caption;
        int32_t count;
        int32_t firstCode;
        int32_t lastCode;
    };
    const Case cases[] = {
        {"Lumetra OSD Requirements", 19, 0x04, 0xDF},
        {"Velmora Recommended commands", 7, 0x0B, 0xC9},
        {"Asset Management plugin", 4, 0xAE, 0xD6},
        {"Theft Deterrence plugin", 5, 0xFA, 0xFE},
        {"Auto Pivot plugin", 1, 0xAA, 0xAA},
        {"Zoning & PIP plugin", 16, 0x86, 0xF7},
        {"Vista Compliance plugin", 23, 0x04, 0x32},
        {"Image Adjustment", 16, 0x11, 0xDC},
        {"Audio", 8, 0x62, 0x94},
        {"6-axis hue", 6, 0x9B, 0xA0},
        {"6-axis saturation", 6, 0x59, 0x5E},
        {"Geometry", 12, 0x44, 0xDB},
        {"Horzontal geometry.", 12, 0x22, 0x88},
        {"Vertical geometry.", 11, 0x32, 0x84},
        {"Windows (TV)", 2, 0x9A, 0x8B},
        {"Color", 3, 0x8C, 0x92},
        {"Misc", 19, 0x01, 0xDE},
        {"Manufacturer specific", 22, 0xE0, 0xFF},
        {"Preset Operations", 3, 0x0A, 0xA2},
        {"Reserved commands", 79, 0x07, 0xDD},
        {"DPVL support", 8, 0xB7, 0xBE},
    };
    static_assert(std::size(cases) == kVcpGroupCount);
    VcpGroupArray groups;
    BuildVcpGroups(groups);
    for (size_t i = 0; i < kVcpGroupCount; ++i) {
        const VcpGroup& group = groups[i];
        EXPECT_EQ(group.name.View(), cases[i].caption);
        EXPECT_EQ(group.index, static_cast<int32_t>(i));
        ASSERT_EQ(group.count, cases[i].count) << cases[i].caption;
        EXPECT_EQ(group.codes[0], cases[i].firstCode) << cases[i].caption;
        EXPECT_EQ(group.codes[group.count - 1], cases[i].lastCode) << cases[i].caption;
        EXPECT_EQ(group.hasManualTest, i == 3 || i == 5) << cases[i].caption;
        EXPECT_FALSE(group.enabled);
        EXPECT_EQ(std::string(kVcpGroupDefinitions[i].description).empty(), false);
    }
    EXPECT_EQ(std::string(kVcpGroupDefinitions[0].description), "Lumetra OSD Requirements");
    EXPECT_EQ(std::string(kVcpGroupDefinitions[20].description), "DPVL, D  P  V  L.");
}

TEST(VcpGroupsTest, ReservedGroupListsTheReservedCodesWithoutTheOnesFiledElsewhere) {
    VcpCatalogue catalogue;
    std::set<int32_t> reservedNames;
    for (int c = 0; c < 256; ++c) {
        if (catalogue[static_cast<uint8_t>(c)].name.View().ends_with(" Reserved")) {
            reservedNames.insert(c);
        }
    }
    reservedNames.erase(0x7E);  // listed under Geometry
    reservedNames.erase(0xCD);  // listed under Misc
    const auto& reserved = kVcpGroupDefinitions[19].codes;
    EXPECT_EQ(std::set<int32_t>(reserved.begin(), reserved.end()), reservedNames);
}

TEST(VcpGroupsTest, ManufacturerGroupHoldsTheGeneratedCodesAndThePipControls) {
    VcpCatalogue catalogue;
    int generated = 0;
    for (int32_t code : kVcpGroupDefinitions[17].codes) {
        const VcpEntry& entry = catalogue[static_cast<uint8_t>(code)];
        if (entry.procedure == kProcedureManufacturer) {
            ++generated;
        } else {
            EXPECT_GE(code, 0xF1);
            EXPECT_LE(code, 0xF4);
        }
    }
    EXPECT_EQ(generated, 18);
}

TEST(VcpGroupsTest, EveryNamedCodeStandsInSomeGroup) {
    std::set<int32_t> grouped;
    for (const VcpGroupDefinition& definition : kVcpGroupDefinitions) {
        grouped.insert(definition.codes.begin(), definition.codes.end());
    }
    for (const NamedVcpCode& named : kNamedVcpCodes) {
        EXPECT_TRUE(grouped.count(named.code)) << named.name;
    }
    EXPECT_TRUE(grouped.count(0x86));
    EXPECT_TRUE(grouped.count(0x10));
}

TEST(VcpGroupsTest, TicksAreClearedAndBuildStartsUnticked) {
    VcpGroupArray& groups = VcpGroups();
    EXPECT_EQ(&groups, &VcpGroups());
    groups[5].enabled = true;
    groups[5].selected[15] = true;
    groups[19].selected[78] = true;
    ClearVcpGroupTicks(groups);
    for (const VcpGroup& group : groups) {
        EXPECT_FALSE(group.enabled);
        for (bool ticked : group.selected) {
            EXPECT_FALSE(ticked);
        }
    }
    groups[0].enabled = true;
    BuildVcpGroups(groups);
    EXPECT_FALSE(groups[0].enabled);
    EXPECT_EQ(groups[0].count, 19);
}

}  // namespace
}  // namespace kestrova::catalogue
