// What every fuzz target shares: a broken promise aborts (libFuzzer keeps the input), and the
// input is taken apart front to back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kestrova::fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return next_ == size_; }
    size_t Left() const { return size_ - next_; }
    // 0 once the input is used up.
    uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
    // Up to `count` bytes (fewer at the end).
    std::string_view Bytes(size_t count) {
        const size_t taken = count < Left() ? count : Left();
        std::string_view bytes(reinterpret_cast<const char*>(data_ + next_), taken);
        next_ += taken;
        return bytes;
    }
    std::string_view Rest() { return Bytes(Left()); }
    // Text up to the next `separator` (dropped) or the end.
    std::string Field(char separator) {
        std::string text;
        while (!Empty()) {
            const char c = static_cast<char>(Byte());
            if (c == separator) {
                break;
            }
            text += c;
        }
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
};

}  // namespace kestrova::fuzz
