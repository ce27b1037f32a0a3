// Whether a standard stream is a terminal: decides between asking the engineer and refusing, and
// between a redrawn progress bar and plain lines.
#pragma once

#include <cstdio>

namespace kestrova::app::console {

bool IsTerminal(std::FILE* stream);

}  // namespace kestrova::app::console
