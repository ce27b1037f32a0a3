#include "catalogue/vcp_groups.h"

namespace kestrova::catalogue {

void BuildVcpGroups(VcpGroupArray& groups) {
    for (size_t i = 0; i < kVcpGroupCount; ++i) {
        const VcpGroupDefinition& definition = kVcpGroupDefinitions[i];
        VcpGroup& group = groups[i];
        group = VcpGroup{};
        group.name = definition.caption;
        group.codes = definition.codes.data();
        group.count = static_cast<int32_t>(definition.codes.size());
        group.hasManualTest = definition.hasManualTest;
        group.index = static_cast<int32_t>(i);
    }
}

void ClearVcpGroupTicks(VcpGroupArray& groups) {
    for (VcpGroup& group : groups) {
        group.enabled = false;
        group.selected.fill(false);
    }
}

VcpGroupArray& VcpGroups() {
    static VcpGroupArray groups = [] {
        VcpGroupArray built;
        BuildVcpGroups(built);
        return built;
    }();
    return groups;
}

}  // namespace kestrova::catalogue
