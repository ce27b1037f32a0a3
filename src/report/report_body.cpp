#include "report/report_body.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace kestrova::report {

ReportBodyBuffer ReportBody;

bool ReportBodyBuffer::Allocate(size_t capacity) {
    Free();
    // Zero-filled, so the used part is always NUL-terminated.
    buffer_.reset(new (std::nothrow) char[capacity]());
    if (buffer_ == nullptr) {
        return false;
    }
    capacity_ = capacity;
    return true;
}

void ReportBodyBuffer::Free() {
    buffer_.reset();
    capacity_ = 0;
    used_ = 0;
}

std::string_view ReportBodyBuffer::View() const {
    return buffer_ == nullptr ? std::string_view() : std::string_view(buffer_.get(), used_);
}

bool ReportBodyBuffer::Append(std::string_view piece) {
    if (buffer_ == nullptr || capacity_ < kReportLineCapacity || used_ >= capacity_ - kReportLineCapacity) {
        return false;
    }
    // One byte stays free for the terminator.
    if (piece.size() > capacity_ - used_ - 1) {
        return false;
    }
    std::memcpy(buffer_.get() + used_, piece.data(), piece.size());
    used_ += piece.size();
    buffer_[used_] = '\0';
    return true;
}

bool BeginReport() {
    return ReportBody.Allocate(kReportBodyCapacity);
}

void FreeReportBody() {
    ReportBody.Free();
}

namespace {

// The line as the 2048-byte buffer holds it: cut to 2047 characters; empty if formatting failed.
KESTROVA_PRINTF(1, 0) std::string_view FormatLine(const char* format, va_list args, char (&line)[kReportLineCapacity]) {
    const int written = std::vsnprintf(line, sizeof(line), format, args);
    if (written < 0) {
        line[0] = '\0';
        return {};
    }
    return std::string_view(line, std::min(static_cast<size_t>(written), sizeof(line) - 1));
}

}  // namespace

void ReportWrite(const char* format, ...) {
    char line[kReportLineCapacity];
    va_list args;
    va_start(args, format);
    const std::string_view text = FormatLine(format, args, line);
    va_end(args);
    ReportBody.Append(text);
}

void ReportWriteLine(const char* format, ...) {
    char line[kReportLineCapacity];
    va_list args;
    va_start(args, format);
    const std::string_view text = FormatLine(format, args, line);
    va_end(args);
    ReportAppendLine(text);
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}

void ReportAppend(std::string_view piece) {
    ReportBody.Append(piece);
}

void ReportAppendLine(std::string_view piece) {
    std::string line;
    line.reserve(piece.size() + 4);
    line.append(piece);
    line.append("<BR>");
    ReportBody.Append(line);
}

}  // namespace kestrova::report
