#include "engine/result_text.h"

#include <cstdarg>
#include <cstdio>

namespace kestrova::engine {

void AppendResult(ResultText& result, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    if (needed < 0) {
        va_end(again);
        return;
    }
    if (static_cast<size_t>(needed) < sizeof(line)) {
        result.append(line, static_cast<size_t>(needed));
    } else {
        // A long entry name or value: format again into room of the exact size.
        const size_t start = result.size();
        result.resize(start + static_cast<size_t>(needed) + 1);
        std::vsnprintf(result.data() + start, static_cast<size_t>(needed) + 1, format, again);
        result.resize(start + static_cast<size_t>(needed));
    }
    va_end(again);
}

}  // namespace kestrova::engine
