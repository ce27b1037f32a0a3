#include <algorithm>
#include <memory>
#include <new>

#include "bus/monitor_table.h"
#include "bus/wrapper_table.h"
#include "report/html_escape.h"
#include "report/html_templates.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

constexpr int kFetchAttempts = 2;

// The size the wrapper reports for the monitor's capabilities string: the newer operation when the
// loaded library has it, else the older one; 0 when neither is bound.
int32_t CapsSize(int32_t monitor) {
    if (auto getSize = bus::FindOptional<WrCapsGetSizeFn>("WrCapsGetSize")) {
        return getSize(monitor);
    }
    return bus::Wrapper.WrCapsGetCapstrSize != nullptr ? bus::Wrapper.WrCapsGetCapstrSize(monitor) : 0;
}

// Fetches the string into `text` (capacity bytes); the last fetch's answer.
int32_t FetchCaps(int32_t monitor, char* text, uint32_t capacity) {
    if (bus::Wrapper.WrCapsGetString == nullptr) {
        return 0;
    }
    int32_t result = 0;
    for (int attempt = 0; attempt < kFetchAttempts && result != 1; ++attempt) {
        uint32_t size = capacity;
        result = bus::Wrapper.WrCapsGetString(monitor, text, &size);
    }
    return result;
}

void WriteFetchedCaps(int32_t monitor) {
    // A size past the body's capacity could never be written anyway; it is not allocated either.
    const int32_t reported = CapsSize(monitor);
    const size_t size = std::min<size_t>(reported > 0 ? static_cast<size_t>(reported) : 0, kReportBodyCapacity);
    const size_t capacity = size + 2;
    std::unique_ptr<char[]> text(new (std::nothrow) char[capacity]());

    ReportWriteLine("%s", html::kCapsOpen);
    const int32_t fetched = text != nullptr ? FetchCaps(monitor, text.get(), static_cast<uint32_t>(capacity)) : 0;
    if (fetched == 0) {
        ReportWriteLine("%s", html::kCapsBadOpen);
        ReportWriteLine("%s", html::kCapsBadText);
        ReportWriteLine("%s", html::kCapsBadClose);
    } else {
        // Whatever the library wrote, the text ends inside the buffer.
        text[capacity - 1] = '\0';
        ReportAppendLine(EscapeHtml(text.get()));
    }
    ReportWrite("%s", html::kParagraphEnd);
}

}  // namespace

void WriteCapsSection() {
    ReportWrite("%s", html::kCapsTitle);
    const int32_t monitor = bus::CurrentMonitorRecord().index;
    if (monitor != -1) {
        if (bus::Wrapper.WrSynLock != nullptr) {
            bus::Wrapper.WrSynLock();
        }
        WriteFetchedCaps(monitor);
        if (bus::Wrapper.WrSynUnlock != nullptr) {
            bus::Wrapper.WrSynUnlock();
        }
    }
    ReportWriteLine("%s", html::kSpaceNewline);
}

}  // namespace kestrova::report
