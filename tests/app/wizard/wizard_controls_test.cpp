#include "app/wizard/wizard_controls.h"

#include <gtest/gtest.h>

namespace kestrova::app::wizard {
namespace {

// start, reset, chooseProject, noProject, monitorList, select, getInfo, selectVcps, test
WizardControls Controls(std::initializer_list<bool> states) {
    auto s = states.begin();
    return WizardControls{s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]};
}

TEST(WizardControlsTest, EachStepOfTheWalkLeavesItsControls) {
    struct Case {
        int step;
        WizardControls expected;
    };
    const Case walk[] = {
        {kStepIdle, Controls({1, 0, 0, 0, 0, 0, 0, 0, 0})},
        {kStepChooseProject, Controls({0, 1, 1, 1, 0, 0, 0, 0, 0})},
        {kStepSelectMonitor, Controls({0, 1, 0, 0, 1, 1, 0, 0, 0})},
        {kStepGetInfo, Controls({0, 1, 0, 0, 0, 0, 1, 0, 0})},
        {kStepSelectVcps, Controls({0, 1, 0, 0, 0, 0, 0, 1, 0})},
        {kStepReadyToTest, Controls({0, 1, 0, 0, 0, 0, 0, 0, 1})},
        {kStepTesting, Controls({0, 1, 0, 0, 0, 0, 0, 0, 0})},
        {kStepIdle, Controls({0, 0, 0, 0, 0, 0, 0, 0, 0})},  // Reset enables Start itself
    };
    WizardControls controls;
    EXPECT_EQ(controls, Controls({1, 0, 0, 0, 1, 1, 1, 1, 1}));
    for (const Case& c : walk) {
        ApplyWizardStep(c.step, controls);
        EXPECT_EQ(controls, c.expected) << "step " << c.step;
    }
}

TEST(WizardControlsTest, StepsOnlyTouchTheControlsTheyName) {
    WizardControls all = Controls({1, 1, 1, 1, 1, 1, 1, 1, 1});
    ApplyWizardStep(kStepTesting, all);
    EXPECT_EQ(all, Controls({1, 1, 1, 1, 1, 1, 1, 1, 0}));
    ApplyWizardStep(kStepGetInfo, all);
    EXPECT_EQ(all, Controls({1, 1, 1, 1, 0, 0, 1, 1, 0}));
    ApplyWizardStep(7, all);
    EXPECT_EQ(all, Controls({1, 1, 1, 1, 0, 0, 1, 1, 0}));
}

}  // namespace
}  // namespace kestrova::app::wizard
