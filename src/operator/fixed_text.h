// A NUL-terminated text in a fixed buffer of N bytes (terminator included), as every process-wide
// text of the tester is kept. Anything longer than N - 1 characters is cut, never overflowed.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__MINGW32__)
#define KESTROVA_PRINTF(formatIndex, firstArg) __attribute__((format(gnu_printf, formatIndex, firstArg)))
#else
#define KESTROVA_PRINTF(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#endif

namespace kestrova::op {

template <size_t N>
class FixedText {
    static_assert(N >= 1, "a fixed text needs room for its terminator");

  public:
    static constexpr size_t kCapacity = N;

    FixedText() = default;
    FixedText(std::string_view text) { Assign(text); }  // NOLINT: implicit on purpose, like a char array

    FixedText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    FixedText& operator=(const char* text) {
        Assign(text == nullptr ? std::string_view() : std::string_view(text));
        return *this;
    }

    // Copies up to the first NUL of `text`, cut to N - 1 characters; the rest of the buffer is zeroed
    // so that the bytes written to a file never carry old contents.
    void Assign(std::string_view text) {
        size_t length = 0;
        while (length < text.size() && length < N - 1 && text[length] != '\0') {
            ++length;
        }
        if (length > 0) {
            std::memcpy(buffer_, text.data(), length);
        }
        std::memset(buffer_ + length, 0, N - length);
    }

    // Adds `text` at the end, cut at the capacity.
    void Append(std::string_view text) {
        size_t length = Size();
        size_t i = 0;
        while (i < text.size() && length < N - 1 && text[i] != '\0') {
            buffer_[length++] = text[i++];
        }
        buffer_[length] = '\0';
    }

    void Format(const char* format, ...) KESTROVA_PRINTF(2, 3) {
        va_list args;
        va_start(args, format);
        int written = std::vsnprintf(buffer_, N, format, args);
        va_end(args);
        if (written < 0) {
            buffer_[0] = '\0';
        }
        Terminate();
    }

    void Clear() { std::memset(buffer_, 0, N); }

    // Length up to the terminator, never past the buffer even if a raw writer forgot it.
    size_t Size() const {
        size_t length = 0;
        while (length < N && buffer_[length] != '\0') {
            ++length;
        }
        return length;
    }
    bool Empty() const { return buffer_[0] == '\0'; }
    static constexpr size_t Capacity() { return N; }

    const char* CStr() const { return buffer_; }
    std::string_view View() const { return std::string_view(buffer_, Size()); }
    std::string Str() const { return std::string(View()); }

    // The raw buffer for APIs that write into it (a dialog's edit field, a file read). Call
    // Terminate() afterwards so that the last byte is a NUL whatever the writer did.
    char* Data() { return buffer_; }
    const char* Data() const { return buffer_; }
    void Terminate() { buffer_[N - 1] = '\0'; }

    bool operator==(std::string_view other) const { return View() == other; }

  private:
    char buffer_[N] = {};
};

}  // namespace kestrova::op
