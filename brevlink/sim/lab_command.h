// The lab's control commands: what the engineer does at the monitor (press its buttons), what
// the lab saw (the writes), and faults switched on while a test runs. One line in, one text out.
#pragma once

#include <string>
#include <string_view>

#include "brevlink/sim/lab.h"

namespace brevlink::sim {

// False for an unknown command or bad arguments; `reply` then says what was wrong.
bool RunLabCommand(Lab& lab, std::string_view command, std::string& reply);

}  // namespace brevlink::sim
