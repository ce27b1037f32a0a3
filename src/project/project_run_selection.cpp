#include "project/project_run_selection.h"

namespace kestrova::project {

namespace {

struct PluginGroup {
    uint16_t bit;
    int32_t group;
};

constexpr PluginGroup kPluginGroups[] = {
    {kPluginVista, kVistaComplianceGroup},
    {kPluginAssetManagement, kAssetManagementGroup},
    {kPluginTheftDeterrence, kTheftDeterrenceGroup},
    {kPluginZoningPip, kZoningPipGroup},
    {kPluginAutoPivot, kAutoPivotGroup},
};

}  // namespace

PluginInclusion PluginInclusionFromGroups(const catalogue::VcpGroupArray& groups) {
    PluginInclusion inclusion;
    inclusion.assetManagement = groups[kAssetManagementGroup].enabled;
    inclusion.theftDeterrence = groups[kTheftDeterrenceGroup].enabled;
    inclusion.autoPivot = groups[kAutoPivotGroup].enabled;
    inclusion.zoningPip = groups[kZoningPipGroup].enabled;
    inclusion.vistaCompliance = groups[kVistaComplianceGroup].enabled;
    return inclusion;
}

void ApplyProjectToGroups(const ProjectRecord& record, catalogue::VcpGroupArray& groups) {
    catalogue::ClearVcpGroupTicks(groups);
    for (catalogue::VcpGroup& group : groups) {
        for (int32_t i = 0; i < group.count && static_cast<size_t>(i) < group.selected.size(); ++i) {
            if (record.selection[static_cast<uint8_t>(group.codes[i])] != 0) {
                group.selected[static_cast<size_t>(i)] = true;
                group.enabled = true;
            }
        }
    }
    const uint16_t bits = static_cast<uint16_t>(record.pluginBits & 0xFF);
    for (const PluginGroup& plugin : kPluginGroups) {
        if ((bits & plugin.bit) != 0) {
            groups[static_cast<size_t>(plugin.group)].enabled = true;
        }
    }
}

}  // namespace kestrova::project
