#include "app/wizard/wizard_controls.h"

namespace kestrova::app::wizard {

void ApplyWizardStep(int step, WizardControls& c) {
    switch (step) {
        case kStepIdle:
            c.chooseProject = c.noProject = c.monitorList = c.select = false;
            c.getInfo = c.selectVcps = c.test = c.reset = false;
            break;
        case kStepChooseProject:
            c.reset = true;
            c.start = false;
            c.chooseProject = c.noProject = true;
            break;
        case kStepSelectMonitor:
            c.chooseProject = c.noProject = false;
            c.monitorList = c.select = true;
            break;
        case kStepGetInfo:
            c.monitorList = c.select = false;
            c.getInfo = true;
            break;
        case kStepSelectVcps:
            c.getInfo = false;
            c.selectVcps = true;
            break;
        case kStepReadyToTest:
            c.getInfo = c.selectVcps = false;
            c.test = true;
            break;
        case kStepTesting:
            c.test = false;
            break;
        default:
            break;
    }
}

}  // namespace kestrova::app::wizard
