// What a project makes a run test: its saved codes, the groups that hold them and the plug-in
// groups it requires. The run then walks these ticks instead of whatever a tree left before.
#pragma once

#include "catalogue/vcp_groups.h"
#include "project/project_record.h"

namespace kestrova::project {

inline constexpr int32_t kAssetManagementGroup = 2;
inline constexpr int32_t kTheftDeterrenceGroup = 3;
inline constexpr int32_t kAutoPivotGroup = 4;
inline constexpr int32_t kZoningPipGroup = 5;
inline constexpr int32_t kVistaComplianceGroup = 6;

// The five plug-in inclusion flags the report's cover prints.
struct PluginInclusion {
    bool assetManagement = false;
    bool theftDeterrence = false;
    bool autoPivot = false;
    bool zoningPip = false;
    bool vistaCompliance = false;

    bool operator==(const PluginInclusion&) const = default;
};

// A plug-in is included when its group is enabled; after collecting a tree that is exactly when
// its group item is not unchecked.
PluginInclusion PluginInclusionFromGroups(const catalogue::VcpGroupArray& groups);

// Clears every tick, then selects each saved code in every group that lists it and enables those
// groups, and enables the plug-in group of each required plug-in (only the low byte of the bits
// counts, as the header reader takes them).
void ApplyProjectToGroups(const ProjectRecord& record, catalogue::VcpGroupArray& groups);

}  // namespace kestrova::project
