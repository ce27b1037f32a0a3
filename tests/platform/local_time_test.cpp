#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/time_format.h"

namespace kestrova::platform {
namespace {

// 2026-12-07 14:05:47 UTC. In every time zone the seconds stay 47 and the minutes are never 47.
constexpr std::time_t kFixedTime = 1796652347;

TEST(FormatLocalDateTime, HasNoSecondsAndTheYear) {
    const LocalDateTime formatted = FormatLocalDateTime(kFixedTime);
    EXPECT_FALSE(formatted.time.empty());
    EXPECT_EQ(formatted.time.find("47"), std::string::npos) << formatted.time;
    EXPECT_NE(formatted.longDate.find("2026"), std::string::npos) << formatted.longDate;
    EXPECT_EQ(formatted.longDate.find("14"), std::string::npos) << formatted.longDate;  // a date, not a time
}

#ifndef _WIN32

TEST(FormatLocalDateTime, UnknownLocaleFallsBackToC) {
    const char* const savedAll = std::getenv("LC_ALL");
    const char* const savedZone = std::getenv("TZ");
    const std::string all = savedAll ? savedAll : "";
    const std::string zone = savedZone ? savedZone : "";
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    setenv("TZ", "UTC", 1);
    tzset();
    const LocalDateTime formatted = FormatLocalDateTime(kFixedTime);
    savedAll ? setenv("LC_ALL", all.c_str(), 1) : unsetenv("LC_ALL");
    savedZone ? setenv("TZ", zone.c_str(), 1) : unsetenv("TZ");
    tzset();
    EXPECT_EQ(formatted.time, "14:05");
    EXPECT_EQ(formatted.longDate, "Monday, December 7, 2026");
}

#endif

TEST(TimeFormatWithoutSeconds, DropsTheSecondsField) {
    struct Case {
        const char* timeFormat;
        const char* amPmFormat;
        const char* expected;
    };
    const Case cases[] = {
        {"%H:%M:%S", "", "%H:%M"},
        {"%r", "%I:%M:%S %p", "%I:%M %p"},
        {"%r", "", "%I:%M %p"},
        {"%T", "", "%H:%M"},
        {"%p %I:%M:%S", "", "%p %I:%M"},
        {"%-I:%M:%S %p", "", "%-I:%M %p"},
        {"%H.%M.%S", "", "%H.%M"},
        {"%OH:%OM:%OS", "", "%OH:%OM"},
        {"%H:%M:%S %Z", "", "%H:%M %Z"},
        {"%H時%M分%S秒", "", "%H時%M分"},
        {"%S:%M", "", "%M"},
        {"%H:%M", "", "%H:%M"},
        {"%k:%M", "", "%k:%M"},
        {"100%%S %H:%M:%S", "", "100%%S %H:%M"},  // "%%S" is a percent sign and a letter
        {"%H:%M:%", "", "%H:%M:%"},               // a cut-off conversion is kept as it was
        {"%X", "", "%X"},                         // a format naming itself does not loop
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeFormatWithoutSeconds(c.timeFormat, c.amPmFormat), c.expected)
            << c.timeFormat << " / " << c.amPmFormat;
    }
}

TEST(CurrentDateTimeSource, IsReplaceable) {
    FixedDateTimeSource fixed({"2:07 PM", "Monday, December 7, 2026"});
    SetCurrentDateTimeSource(&fixed);
    const LocalDateTime now = CurrentDateTimeSource().Now();
    SetCurrentDateTimeSource(nullptr);
    EXPECT_EQ(now.time, "2:07 PM");
    EXPECT_EQ(now.longDate, "Monday, December 7, 2026");
    EXPECT_NE(&CurrentDateTimeSource(), &fixed);
    EXPECT_FALSE(CurrentDateTimeSource().Now().longDate.empty());
}

}  // namespace
}  // namespace kestrova::platform
