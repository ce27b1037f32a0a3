// Colour presets (0x14) that carry their own video gains (0x16, 0x18, 0x1A). A factory preset shows
// the gains' profile defaults; each user preset (0x0B, 0x0C, 0x0D) keeps the gains last set in it,
// starting from the profile's current values. Selecting a preset, on the host or the panel, shows
// its gains. A restore that puts the preset and the gains back to their defaults forgets the user
// presets' gains too.
#pragma once

#include <memory>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

std::unique_ptr<Behaviour> MakeColourPresets();

}  // namespace brevlink::sim
