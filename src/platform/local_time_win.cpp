// Local time and long date through the user locale's own formatters.
#include <windows.h>

#include "platform/local_time.h"

namespace kestrova::platform {

namespace {

// time_t counts seconds since 1970 in UTC; FILETIME counts 100 ns steps since 1601.
bool ToLocalSystemTime(std::time_t when, SYSTEMTIME* local) {
    constexpr long long kSecondsFrom1601To1970 = 11644473600LL;
    const long long ticks = (static_cast<long long>(when) + kSecondsFrom1601To1970) * 10000000LL;
    if (ticks < 0) {
        return false;
    }
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    fileTime.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
    SYSTEMTIME utc;
    // The zone's rule for that date, not today's bias: a winter time printed in summer stays right.
    return ::FileTimeToSystemTime(&fileTime, &utc) && ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, local);
}

template <typename Formatter>
std::string Format(Formatter formatter) {
    const int length = formatter(nullptr, 0);  // characters including the terminator
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length), '\0');
    const int written = formatter(text.data(), length);
    text.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
    return text;
}

}  // namespace

LocalDateTime FormatLocalDateTime(std::time_t when) {
    SYSTEMTIME local;
    if (!ToLocalSystemTime(when, &local)) {
        return {};
    }
    LocalDateTime result;
    result.time = Format([&](char* buffer, int capacity) {
        return ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, buffer, capacity);
    });
    result.longDate = Format([&](char* buffer, int capacity) {
        return ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, buffer, capacity);
    });
    return result;
}

}  // namespace kestrova::platform
