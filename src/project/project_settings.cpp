#include "project/project_settings.h"

namespace kestrova::project {

bool ProjectRequiresVista = false;
bool ProjectRequiresAssetManagement = false;
bool ProjectRequiresTheftDeterrence = false;
bool ProjectRequiresZoningPip = false;
bool ProjectRequiresAutoPivot = false;
op::FixedText<4> ProjectApplicationKey;

void ResetProjectSettings() {
    ProjectRequiresVista = false;
    ProjectRequiresAssetManagement = false;
    ProjectRequiresTheftDeterrence = false;
    ProjectRequiresZoningPip = false;
    ProjectRequiresAutoPivot = false;
    ProjectApplicationKey.Clear();
}

}  // namespace kestrova::project
