// Local time without seconds and the long local date, as the user's locale writes them (Windows:
// the locale's time and long-date formatters; Linux: the C library with the user's locale).
// Reports need a fixed time in golden tests, so the source is replaceable.
#pragma once

#include <ctime>
#include <string>

namespace kestrova::platform {

struct LocalDateTime {
    std::string time;      // e.g. "2:07 PM" or "14:07"
    std::string longDate;  // e.g. "Monday, December 7, 2026"
};

// Formats `when` as the user's locale would.
LocalDateTime FormatLocalDateTime(std::time_t when);

class DateTimeSource {
  public:
    virtual ~DateTimeSource() = default;
    virtual LocalDateTime Now() = 0;
};

// The system's clock formatted for the user's locale, unless a test installed another source.
DateTimeSource& CurrentDateTimeSource();
void SetCurrentDateTimeSource(DateTimeSource* source);  // null restores the system source

class FixedDateTimeSource final : public DateTimeSource {
  public:
    explicit FixedDateTimeSource(LocalDateTime value) : value_(std::move(value)) {}
    LocalDateTime Now() override { return value_; }

  private:
    LocalDateTime value_;
};

}  // namespace kestrova::platform
