// Internal to the POSIX local time: the locale's time format with the seconds field taken out.
#pragma once

#include <string>
#include <string_view>

namespace kestrova::platform {

// `timeFormat` is the locale's strftime time format (T_FMT); `amPmFormat` the one %r stands for
// (T_FMT_AMPM; empty for the usual "%I:%M:%S %p"). %r, %T and %X are spelled out first, then the
// seconds field goes with the separator before it ("%H:%M:%S" → "%H:%M", "%I:%M:%S %p" →
// "%I:%M %p"); when a word rather than a separator precedes it ("%H時%M分%S秒"), the seconds' unit
// after it goes instead. Portable, so that it is tested on every platform.
std::string TimeFormatWithoutSeconds(std::string_view timeFormat, std::string_view amPmFormat);

}  // namespace kestrova::platform
