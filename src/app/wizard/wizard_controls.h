// What each wizard step enables and disables, as data the window or the console renders.
#pragma once

namespace kestrova::app::wizard {

// WizardStep: 0 start-up and Reset, 1 Start, 2 project chosen or none, 3 monitor selected,
// 4 check-off confirmed without a project, 5 ready to test, 6 testing.
inline constexpr int kStepIdle = 0;
inline constexpr int kStepChooseProject = 1;
inline constexpr int kStepSelectMonitor = 2;
inline constexpr int kStepGetInfo = 3;
inline constexpr int kStepSelectVcps = 4;
inline constexpr int kStepReadyToTest = 5;
inline constexpr int kStepTesting = 6;

// Enabled states of the wizard's controls, as the window creates them.
struct WizardControls {
    bool start = true;
    bool reset = false;
    bool chooseProject = false;
    bool noProject = false;
    bool monitorList = true;
    bool select = true;
    bool getInfo = true;
    bool selectVcps = true;
    bool test = true;

    bool operator==(const WizardControls&) const = default;
};

// Applies a step: the controls it names change, the others keep their state.
void ApplyWizardStep(int step, WizardControls& controls);

}  // namespace kestrova::app::wizard
