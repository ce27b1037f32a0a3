// Wizard step 4: choosing the VCP codes and plug-ins in the selection tree. The front shows the tree
// and the capabilities string and lets the engineer tick; the OK answer is applied here.
#pragma once

#include <string>

#include "project/project_run_selection.h"
#include "project/vcp_tree.h"

namespace kestrova::app::wizard {

class SelectionDialog {
  public:
    virtual ~SelectionDialog() = default;
    // Shows `tree` (built without pre-ticks) and the monitor's capabilities string. The engineer's
    // ticks are made in `tree` ("Deselect All" is VcpTree::UncheckAll; "Add Custom" shows the
    // custom VCP form, which keeps nothing). True for OK, false for Cancel.
    virtual bool Run(project::VcpTree& tree, const std::string& capabilities) = 0;
};

// The current monitor's capabilities string, read under the bus lock ("" without a library).
std::string ReadCapabilitiesString();

// Sets the five process-wide plug-in inclusion flags.
void ApplyPluginInclusion(const project::PluginInclusion& inclusion);

// On OK: SelectionConfirmed, the ticks collected into the run's group records and the five
// plug-in inclusion flags from their groups. Cancel leaves groups and flags as they were.
void RunVcpSelection(SelectionDialog& dialog);

}  // namespace kestrova::app::wizard
