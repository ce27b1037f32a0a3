// The replaceable date-time source; the formatting itself lives in local_time_win.cpp / _posix.cpp.
#include "platform/local_time.h"

#include <atomic>

namespace kestrova::platform {

namespace {

class SystemDateTimeSource final : public DateTimeSource {
  public:
    LocalDateTime Now() override { return FormatLocalDateTime(std::time(nullptr)); }
};

SystemDateTimeSource& TheSystemSource() {
    static SystemDateTimeSource source;
    return source;
}

std::atomic<DateTimeSource*> installedSource{nullptr};

}  // namespace

DateTimeSource& CurrentDateTimeSource() {
    DateTimeSource* source = installedSource.load(std::memory_order_acquire);
    return source != nullptr ? *source : TheSystemSource();
}

void SetCurrentDateTimeSource(DateTimeSource* source) {
    installedSource.store(source, std::memory_order_release);
}

}  // namespace kestrova::platform
