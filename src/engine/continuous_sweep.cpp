#include "engine/continuous_sweep.h"

#include "bus/vcp_primitives.h"
#include "platform/clock.h"

namespace kestrova::engine {

namespace {

constexpr uint32_t kSecondReadMs = 16;
constexpr uint32_t kThirdReadMs = 32;

bool ReadMatches(uint8_t code, int32_t expected, int32_t& value, uint32_t* unsupported) {
    uint32_t minimum = 0, maximum = 0, current = 0;
    const bool ok = bus::ReadVcp(code, &minimum, &maximum, &current, unsupported);
    value = static_cast<int32_t>(current);
    return ok && value == expected;
}

}  // namespace

std::optional<int32_t> NextSweepValue(std::optional<int32_t> previous,
                                      int32_t minimum,
                                      int32_t maximum,
                                      bool fullRange) {
    // 64-bit, so that a range ending at INT32_MAX ends instead of wrapping.
    const int64_t from = previous ? int64_t{*previous} + 1 : int64_t{minimum};
    if (fullRange) {
        return from <= maximum ? std::optional<int32_t>(static_cast<int32_t>(from)) : std::nullopt;
    }
    // Standard testing visits the same three points a full walk would stop at, without the walk.
    const int32_t points[] = {minimum, maximum / 2, maximum};
    std::optional<int32_t> next;
    for (int32_t point : points) {
        if (point >= from && point >= minimum && point <= maximum && (!next || point < *next)) {
            next = point;
        }
    }
    return next;
}

ReadBackResult ReadBack(uint8_t code, int32_t expected, bool wantUnsupported) {
    ReadBackResult result;
    uint32_t unsupported = 0;
    result.matched = ReadMatches(code, expected, result.value, wantUnsupported ? &unsupported : nullptr);
    result.unsupported = (unsupported & 1u) != 0;
    if (!result.matched) {
        platform::SleepMs(kSecondReadMs);
        result.matched = ReadMatches(code, expected, result.value, nullptr);
    }
    if (!result.matched) {
        platform::SleepMs(kThirdReadMs);
        result.matched = ReadMatches(code, expected, result.value, nullptr);
    }
    return result;
}

}  // namespace kestrova::engine
