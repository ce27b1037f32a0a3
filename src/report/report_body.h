// The report body: one flat buffer allocated at the start of a run and freed after its save, so that
// appending never reallocates while a run goes on. Only the test thread writes it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "operator/fixed_text.h"

namespace kestrova::report {

inline constexpr size_t kReportBodyCapacity = 10485760;
// Formatting goes through a line buffer of this size: a formatted line holds at most 2047 characters.
inline constexpr size_t kReportLineCapacity = 2048;

class ReportBodyBuffer {
  public:
    // Replaces any earlier buffer with a zero-filled one of `capacity` bytes, used length 0. False
    // when the memory cannot be had; the body then stays unallocated and every append is dropped.
    bool Allocate(size_t capacity = kReportBodyCapacity);
    // Safe to call more than once.
    void Free();

    bool IsAllocated() const { return buffer_ != nullptr; }
    size_t Capacity() const { return capacity_; }
    size_t Used() const { return used_; }
    // The used part, NUL-terminated in the buffer.
    std::string_view View() const;

    // Appends the piece whole. Dropped (false) when unallocated, when the used length has reached
    // the capacity less one line buffer, or when the piece would not fit with its terminator.
    bool Append(std::string_view piece);

  private:
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

// The process-wide body.
extern ReportBodyBuffer ReportBody;

// Allocates ReportBody at its full capacity (start of a run).
bool BeginReport();
// Frees ReportBody (end of a run; SaveReport frees it too).
void FreeReportBody();

// Formats into the 2048-byte line buffer (a longer result is cut to 2047 characters) and appends
// the line as it is. The formatted text is never used as a format again.
void ReportWrite(const char* format, ...) KESTROVA_PRINTF(1, 2);
// The same with "<BR>" after the line.
void ReportWriteLine(const char* format, ...) KESTROVA_PRINTF(1, 2);

// Formats printf-style without the line limit, for pieces that must go in whole.
std::string FormatText(const char* format, ...) KESTROVA_PRINTF(1, 2);

// Append a piece whole, however long (a capabilities string, a result text).
void ReportAppend(std::string_view piece);
void ReportAppendLine(std::string_view piece);  // the piece and "<BR>", as one piece

}  // namespace kestrova::report
