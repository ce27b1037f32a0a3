// The picture-in-picture window: 0xA5 = 0x100 selects it and 0 deselects it, which closes it;
// 0xA4 = 0xFF shows the selected window and 0 hides it while it is placed; 0x95-0x98 place its
// corners, 0xEA sizes it, 0xF1-0xF4 set its brightness, contrast, hue and saturation and 0xF5 its
// transparency. The behaviour keeps what the engineer would have seen of the window, for the lab's
// look command.
#pragma once

#include <memory>

#include "brevlink/sim/behaviours.h"

namespace brevlink::sim {

std::unique_ptr<Behaviour> MakePipWindow();

}  // namespace brevlink::sim
