// The auto-setup commands: 0x1E fits clock, clock phase and the picture position to the input
// again, 0x1F calibrates the video gains. Both land on the controls' profile defaults, which stand
// for what fits the lab's one input. Any nonzero value starts them; the commands keep no value.
#pragma once

#include <memory>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

std::unique_ptr<Behaviour> MakeAutoSetup();

}  // namespace brevlink::sim
