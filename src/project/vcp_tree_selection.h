// From the tree's ticks to the group records a run walks, to the 256-byte selection a project
// saves, and back from a saved selection to the tree.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/vcp_groups.h"
#include "project/project_record.h"
#include "project/vcp_tree.h"

namespace kestrova::project {

// Clears every group's `enabled` and `selected` flags, then sets them from the tree: a ticked group
// item enables its group, a ticked code item selects that code in its own group only.
void CollectTreeSelection(const VcpTree& tree, catalogue::VcpGroupArray& groups);

// One byte per code that is selected in any group.
VcpSelection SelectionFromGroups(const catalogue::VcpGroupArray& groups);

// Codes that only analog inputs have; a saved project never carries them.
inline constexpr uint8_t kAnalogOnlyCodes[] = {0x06, 0x0E, 0x1E, 0x20, 0x30, 0x3E};
void RemoveAnalogOnlyCodes(VcpSelection& selection);

// `prefix` followed by each selected code as "%02X " with the last character turned into ")":
// "Analog - vcp(10 20)"; with nothing selected the "(" itself goes: "Analog - vcp)".
std::string SelectionPreview(std::string_view prefix, const VcpSelection& selection);

inline constexpr char kAnalogPreviewPrefix[] = "Analog - vcp(";
inline constexpr char kDigitalPreviewPrefix[] = "Digital - vcp(";

struct TreeSelection {
    VcpSelection selection{};  // the digital form: what a project saves
    std::string analogPreview;
    std::string digitalPreview;
};

// Collects the ticks into `groups`, then builds the saved selection and both previews.
TreeSelection BuildVcpSelection(const VcpTree& tree, catalogue::VcpGroupArray& groups);

// Ticks every code item whose code the selection holds, in every group that lists it. Ticks are
// only added: what the builder ticked stays ticked.
void TickSelectedCodes(VcpTree& tree, const VcpSelection& selection);

}  // namespace kestrova::project
