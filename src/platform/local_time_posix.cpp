// Local time and long date through the C library with the user's locale (LC_TIME, LC_ALL, LANG).
#include <langinfo.h>
#include <locale.h>

#include <string>

#include "platform/local_time.h"
#include "platform/time_format.h"

namespace kestrova::platform {

namespace {

// The C library has no long-date format of its own (D_FMT is the short numeric date), so the long
// date follows the form of the Windows default, "Monday, December 7, 2026", with the day and month
// names in the locale's language.
constexpr const char* kLongDateFormat = "%A, %B %-d, %Y";

std::string LocaleTimeFormatWithoutSeconds(locale_t locale) {
    const char* timeFormat = nl_langinfo_l(T_FMT, locale);
    const char* amPmFormat = nl_langinfo_l(T_FMT_AMPM, locale);
    return TimeFormatWithoutSeconds(timeFormat != nullptr && timeFormat[0] != '\0' ? timeFormat : "%H:%M:%S",
                                    amPmFormat != nullptr ? amPmFormat : "");
}

std::string FormatWith(const std::string& format, const std::tm& when, locale_t locale) {
    if (format.empty()) {
        return {};
    }
    for (size_t capacity = 128; capacity <= 4096; capacity *= 4) {
        std::string text(capacity, '\0');
        // The time format comes from the locale's data, so it cannot be a literal.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        const size_t length = strftime_l(text.data(), text.size(), format.c_str(), &when, locale);
#pragma GCC diagnostic pop
        if (length > 0) {
            text.resize(length);
            return text;
        }
    }
    return {};
}

}  // namespace

LocalDateTime FormatLocalDateTime(std::time_t when) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return {};
    }
    // The user's locale for LC_TIME; the C locale when it names one that is not installed.
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    }
    if (locale == static_cast<locale_t>(nullptr)) {
        return {};
    }
    LocalDateTime result;
    result.time = FormatWith(LocaleTimeFormatWithoutSeconds(locale), local, locale);
    result.longDate = FormatWith(kLongDateFormat, local, locale);
    freelocale(locale);
    return result;
}

}  // namespace kestrova::platform
