// The back end over real I2C buses: every bus the provider lists that answers with an EDID at
// 0x50 is a monitor. The provider is a seam, so tests hand in simulated buses.
#pragma once

#include <memory>

#include "brevlink/exports/backend.h"
#include "brevlink/transport/display_enumeration.h"

namespace brevlink {

std::unique_ptr<Backend> MakeBusBackend(std::unique_ptr<I2cBusProvider> provider);

}  // namespace brevlink
