#include "brevlink/exports/text_log.h"

#include <utility>

namespace brevlink {

void TextLog::Add(std::string text) {
    if (Enabled()) {
        AddAlways(std::move(text));
    }
}

void TextLog::AddAlways(std::string text) {
    if (capacity_ == 0) {
        return;
    }
    if (entries_.size() == capacity_) {
        entries_.pop_front();
    }
    entries_.push_back(std::move(text));
}

}  // namespace brevlink
