// Every export runs through Call: the library's lock held, and no exception ever leaves the
// library (a failure of any kind answers the fallback, 0 unless said otherwise).
#pragma once

#include <cstdint>
#include <mutex>

#include "brevlink/exports/library.h"

namespace brevlink {

template <typename Result = int32_t, typename Fn>
Result Call(Fn&& fn, Result fallback = Result{}) noexcept {
    try {
        Library& library = Library::Instance();
        std::lock_guard<std::recursive_mutex> guard(library.Mutex());
        return fn(library);
    } catch (...) {
        return fallback;
    }
}

// The session of `monitor`, or null for a bad index.
inline MonitorSession* SessionOf(Library& library, int32_t monitor) {
    return library.Session(monitor);
}

}  // namespace brevlink
