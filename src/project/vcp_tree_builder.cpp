#include "project/vcp_tree_builder.h"

#include <string>
#include <string_view>

#include "catalogue/vcp_group_definitions.h"

namespace kestrova::project {

namespace {

constexpr int kRootParent = -1;
constexpr int kHeadingParent = -2;
constexpr int kSixAxisHue = 9;
constexpr int kSixAxisSaturation = 10;

// Insertion order of the groups and where each hangs; a group with a parent group hangs below it.
struct Placement {
    int group;
    int parent;  // kRootParent, kHeadingParent or a group index
    int alsoTickedBy[2];
};

constexpr Placement kPlacements[] = {
    {0, kRootParent, {-1, -1}},
    {1, kRootParent, {-1, -1}},
    {2, kRootParent, {-1, -1}},
    {3, kRootParent, {-1, -1}},
    {4, kRootParent, {-1, -1}},
    {5, kRootParent, {-1, -1}},
    {6, kRootParent, {-1, -1}},
    {7, kRootParent, {-1, -1}},
    {8, kRootParent, {-1, -1}},
    {kSixAxisHue, kHeadingParent, {-1, -1}},
    {kSixAxisSaturation, kHeadingParent, {-1, -1}},
    {11, kRootParent, {12, 13}},
    {12, 11, {-1, -1}},
    {13, 11, {-1, -1}},
    {14, kRootParent, {15, -1}},
    {15, 14, {-1, -1}},
    {16, kRootParent, {-1, -1}},
    {17, kRootParent, {-1, -1}},
    {18, kRootParent, {-1, -1}},
    {19, kRootParent, {-1, -1}},
    {20, kRootParent, {-1, -1}},
};
static_assert(std::size(kPlacements) == catalogue::kVcpGroupCount);

std::string Cut(std::string_view text, size_t length) {
    return std::string(text.substr(0, length));
}

bool AnyCodeInCaps(int group, const catalogue::VcpCatalogue& catalogue) {
    if (group < 0) {
        return false;
    }
    for (int32_t code : catalogue::kVcpGroupDefinitions[group].codes) {
        if (catalogue[static_cast<uint8_t>(code)].inCaps) {
            return true;
        }
    }
    return false;
}

bool IsRequirementGroup(int group) {
    return group == 0 || group == 1;
}

void AddGroup(VcpTree& tree,
              const Placement& placement,
              int parentItem,
              bool preTick,
              const catalogue::VcpCatalogue& catalogue) {
    const catalogue::VcpGroupDefinition& definition = catalogue::kVcpGroupDefinitions[placement.group];
    const bool preTicked = preTick && IsRequirementGroup(placement.group);
    const bool ticked = preTicked || AnyCodeInCaps(placement.group, catalogue) ||
                        AnyCodeInCaps(placement.alsoTickedBy[0], catalogue) ||
                        AnyCodeInCaps(placement.alsoTickedBy[1], catalogue);

    VcpTreeItem groupItem;
    groupItem.label = Cut(definition.caption, kGroupLabelLength);
    groupItem.helpText = Cut(definition.description, kGroupHelpLength);
    groupItem.tick = ticked ? TickState::kChecked : TickState::kUnchecked;
    groupItem.bold = ticked;
    groupItem.kind = VcpTreeItemKind::kGroup;
    groupItem.group = placement.group;
    const int groupId = tree.Add(parentItem, std::move(groupItem));

    int position = 0;
    for (int32_t code : definition.codes) {
        const catalogue::VcpEntry& entry = catalogue[static_cast<uint8_t>(code)];
        VcpTreeItem codeItem;
        codeItem.label =
            Cut(std::string(entry.inCaps ? kCapsPrefix : kNotInCapsPrefix) + entry.name.Str(), kCodeLabelLength);
        codeItem.tick = entry.inCaps || preTicked ? TickState::kChecked : TickState::kUnchecked;
        codeItem.kind = VcpTreeItemKind::kCode;
        codeItem.group = placement.group;
        codeItem.position = position++;
        codeItem.code = static_cast<uint8_t>(code);
        tree.Add(groupId, std::move(codeItem));
    }
}

}  // namespace

void BuildVcpTree(VcpTree& tree, bool preTickRequirementGroups, const catalogue::VcpCatalogue& catalogue) {
    tree.Clear();
    int headingItem = kNoItem;
    for (const Placement& placement : kPlacements) {
        if (placement.group == kSixAxisHue) {
            const bool ticked = AnyCodeInCaps(kSixAxisHue, catalogue) || AnyCodeInCaps(kSixAxisSaturation, catalogue);
            VcpTreeItem heading;
            heading.label = kSixAxisColorLabel;
            heading.helpText = kSixAxisColorHelp;
            heading.tick = ticked ? TickState::kChecked : TickState::kUnchecked;
            heading.bold = ticked;
            heading.kind = VcpTreeItemKind::kHeading;
            headingItem = tree.Add(kNoItem, std::move(heading));
        }
        int parentItem = kNoItem;
        if (placement.parent == kHeadingParent) {
            parentItem = headingItem;
        } else if (placement.parent >= 0) {
            parentItem = tree.GroupItem(placement.parent);
        }
        AddGroup(tree, placement, parentItem, preTickRequirementGroups, catalogue);
    }
}

}  // namespace kestrova::project
