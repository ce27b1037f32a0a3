// Appending formatted HTML fragments to a code's result text.
#pragma once

#include "engine/test_procedure.h"
#include "operator/fixed_text.h"

namespace kestrova::engine {

// Formats printf-style and appends the whole piece; the text grows as needed.
void AppendResult(ResultText& result, const char* format, ...) KESTROVA_PRINTF(2, 3);

}  // namespace kestrova::engine
