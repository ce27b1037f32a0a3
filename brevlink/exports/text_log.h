// The library's two logs: "wrap" (the bytes on the wire) and "diag" (its own messages, e.g. a
// bad profile). Bounded, so a long run cannot grow them without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace brevlink {

class TextLog {
  public:
    explicit TextLog(size_t capacity = 1000) : capacity_(capacity) {}

    // Any level enables, 0 too: the level only says how much detail the caller wants.
    void Enable(uint32_t level) {
        enabled_ = true;
        level_ = level;
    }
    void Disable() { enabled_ = false; }
    bool Enabled() const { return enabled_; }
    uint32_t Level() const { return level_; }

    // Kept only while enabled; the oldest entry goes when full.
    void Add(std::string text);
    // Kept whatever the level: errors the engineer must be able to find afterwards.
    void AddAlways(std::string text);
    void Clear() { entries_.clear(); }
    size_t Size() const { return entries_.size(); }
    // Null past the end.
    const std::string* Entry(size_t index) const { return index < entries_.size() ? &entries_[index] : nullptr; }

  private:
    size_t capacity_;
    bool enabled_ = false;
    uint32_t level_ = 0;
    std::deque<std::string> entries_;
};

}  // namespace brevlink
