// Faulty, only when named: a restore or auto-setup command (0x04, 0x05, 0x06, 0x08, 0x1E) sent
// with 0 does what 1 does, where a monitor must leave everything as it is.
#pragma once

#include <memory>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

std::unique_ptr<Behaviour> MakeRestoreOnZero();

}  // namespace brevlink::sim
