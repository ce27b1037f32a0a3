// The handlers of the discrete-control procedure that drive a control through a fixed series of
// writes and judge what the monitor reports back, or ask the engineer whether the screen reacted.
#pragma once

#include "engine/discrete_test_state.h"

namespace kestrova::engine {

void NewControlValueSequence(DiscreteTest& test);  // 0x02, with the active-control stack 0x52
void LightSensorSequence(DiscreteTest& test);      // 0x66
void AudioMuteSequence(DiscreteTest& test);        // 0x8D
void AudioStereoSequence(DiscreteTest& test);      // 0x94
void WindowControlSequence(DiscreteTest& test);    // 0xA4
void OsdSequence(DiscreteTest& test);              // 0xCA
void PowerModeSequence(DiscreteTest& test);        // 0xD6
void TheftModeStartCheck(DiscreteTest& test);      // 0xFA
void TheftStateSequence(DiscreteTest& test);       // 0xFE, the functional test of 0xFA-0xFE

}  // namespace kestrova::engine
