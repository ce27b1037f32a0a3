// What the wizard takes from a project's head besides the run settings: the required plug-ins and
// the application key. Nothing consults them yet; they are kept for the run to use.
#pragma once

#include "operator/fixed_text.h"

namespace kestrova::project {

extern bool ProjectRequiresVista;
extern bool ProjectRequiresAssetManagement;
extern bool ProjectRequiresTheftDeterrence;
extern bool ProjectRequiresZoningPip;
extern bool ProjectRequiresAutoPivot;
// The file's three key bytes in a zeroed four-byte value.
extern op::FixedText<4> ProjectApplicationKey;

void ResetProjectSettings();

}  // namespace kestrova::project
