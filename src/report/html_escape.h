// Texts from the monitor or the engineer are shown, never interpreted: a model name with '<' must
// not open a tag in the report.
#pragma once

#include <string>
#include <string_view>

namespace kestrova::report {

// '&', '<' and '>' as entities; everything else as it is.
std::string EscapeHtml(std::string_view text);

}  // namespace kestrova::report
