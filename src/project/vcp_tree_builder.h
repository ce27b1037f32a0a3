// Builds the VCP selection tree from the built-in groups and the capabilities marks of the
// catalogue: what is ticked and bold when the tree opens.
#pragma once

#include "catalogue/vcp_catalogue.h"
#include "project/vcp_tree.h"

namespace kestrova::project {

inline constexpr size_t kGroupLabelLength = 39;
inline constexpr size_t kGroupHelpLength = 99;
inline constexpr size_t kCodeLabelLength = 199;

inline constexpr char kSixAxisColorLabel[] = "6-axis color";
inline constexpr char kSixAxisColorHelp[] = "Red/Yellow/Green Cyan/Blue/Magenta.";
inline constexpr char kCapsPrefix[] = "CAPS - ";
inline constexpr char kNotInCapsPrefix[] = "        ";

// Replaces the tree's items. With `preTickRequirementGroups` (the project editor) the two
// requirement groups and all their codes start ticked; otherwise (the wizard's selection step)
// they follow the capabilities like every other group. The group records a run walks are not
// touched: only collecting the ticks writes them.
void BuildVcpTree(VcpTree& tree,
                  bool preTickRequirementGroups,
                  const catalogue::VcpCatalogue& catalogue = catalogue::Catalogue());

}  // namespace kestrova::project
