#include "app/wizard/selection_step.h"

#include "bus/monitor_table.h"
#include "bus/wrapper_table.h"
#include "catalogue/vcp_groups.h"
#include "operator/run_settings.h"
#include "project/vcp_tree_builder.h"
#include "project/vcp_tree_selection.h"

namespace kestrova::app::wizard {

namespace {

constexpr uint32_t kCapsBufferSize = 2048;

}  // namespace

void ApplyPluginInclusion(const project::PluginInclusion& inclusion) {
    op::IncludeAssetManagement = inclusion.assetManagement;
    op::IncludeTheftDeterrence = inclusion.theftDeterrence;
    op::IncludeAutoPivot = inclusion.autoPivot;
    op::IncludeZoningPip = inclusion.zoningPip;
    op::IncludeVistaCompliance = inclusion.vistaCompliance;
}

std::string ReadCapabilitiesString() {
    if (bus::Wrapper.WrCapsGetString == nullptr || bus::Wrapper.WrSynLock == nullptr) {
        return "";
    }
    std::string caps(kCapsBufferSize, '\0');
    uint32_t size = kCapsBufferSize;
    bus::Wrapper.WrSynLock();
    bus::Wrapper.WrCapsGetString(bus::CurrentMonitorRecord().index, caps.data(), &size);
    bus::Wrapper.WrSynUnlock();
    caps.back() = '\0';
    caps.resize(caps.find('\0'));
    return caps;
}

void RunVcpSelection(SelectionDialog& dialog) {
    project::VcpTree tree;
    project::BuildVcpTree(tree, false);
    if (!dialog.Run(tree, ReadCapabilitiesString())) {
        return;
    }
    op::SelectionConfirmed = true;
    catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
    project::CollectTreeSelection(tree, groups);
    ApplyPluginInclusion(project::PluginInclusionFromGroups(groups));
}

}  // namespace kestrova::app::wizard
