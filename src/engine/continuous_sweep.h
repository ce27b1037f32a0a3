// The two pieces every continuous-control sweep shares: which values it writes, and how it reads a
// written value back.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrova::engine {

// The tested value after `previous` (the first one for nullopt), ascending from minimum to maximum:
// every value in Robust testing, otherwise only minimum, maximum / 2 and maximum. Nullopt at the end,
// and at once when maximum is below minimum.
std::optional<int32_t> NextSweepValue(std::optional<int32_t> previous,
                                      int32_t minimum,
                                      int32_t maximum,
                                      bool fullRange);

struct ReadBackResult {
    bool matched = false;      // a read answered with the value written
    int32_t value = 0;         // what the last read reported
    bool unsupported = false;  // the first read's monitor said the code is unsupported
};

// Up to three reads (16 ms and 32 ms apart) until one answers `expected`. Only the first read asks
// for the unsupported flag, and only with `wantUnsupported`.
ReadBackResult ReadBack(uint8_t code, int32_t expected, bool wantUnsupported);

}  // namespace kestrova::engine
