// The 21 group records a run walks: caption and codes from the built-in definitions, ticks filled
// by the selection tree.
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/vcp_group_definitions.h"
#include "operator/fixed_text.h"

namespace kestrova::catalogue {

struct VcpGroup {
    op::FixedText<100> name;
    bool enabled = false;  // ticked in the selection tree; an unticked group is reported as skipped
    const int32_t* codes = nullptr;
    int32_t count = 0;
    std::array<bool, kMaxGroupCodes> selected{};  // per code of the group, in the order of `codes`
    bool hasManualTest = false;
    int32_t index = 0;
};

using VcpGroupArray = std::array<VcpGroup, kVcpGroupCount>;

// Fills every record from the built-in definitions with nothing ticked.
void BuildVcpGroups(VcpGroupArray& groups);
// Clears every `enabled` and `selected` flag (the tree collects its ticks into cleared records).
void ClearVcpGroupTicks(VcpGroupArray& groups);

// The process-wide records, built on first use.
VcpGroupArray& VcpGroups();

}  // namespace kestrova::catalogue
