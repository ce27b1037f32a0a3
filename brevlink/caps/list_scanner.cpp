#include "brevlink/caps/list_scanner.h"

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/text_util.h"

namespace brevlink::caps {

ListToken ListScanner::Next() {
    // Junk words are only known to be junk once something other than a field follows them;
    // before a field they are the bare text in front of its keyword ("junk mccs_ver(").
    size_t junkStart = std::string_view::npos;
    auto token = [this, &junkStart](ListToken kind) {
        if (junkStart != std::string_view::npos) {
            quirks_ |= kBadToken;
        }
        return kind;
    };
    while (pos_ < text_.size()) {
        char c = text_[pos_];
        if (IsSpace(c)) {
            ++pos_;
            continue;
        }
        if (c == '(' || c == ')') {
            ++pos_;
            return token(c == '(' ? ListToken::kOpen : ListToken::kClose);
        }
        if (!IsWordChar(c)) {
            quirks_ |= kBadToken;
            ++pos_;
            continue;
        }
        size_t start = pos_;
        while (pos_ < text_.size() && IsWordChar(text_[pos_])) {
            ++pos_;
        }
        std::string_view word = text_.substr(start, pos_ - start);
        if (IsAllHex(word)) {
            wordCut_ = pos_ == text_.size();
            word_ = wordCut_ ? word.substr(0, word.size() & ~size_t{1}) : word;
            return token(ListToken::kHex);
        }
        if (junkStart == std::string_view::npos) {
            junkStart = start;
        }
        if (StartsField(pos_)) {
            pos_ = junkStart;
            return ListToken::kField;
        }
    }
    return token(ListToken::kEnd);
}

bool ListScanner::StartsField(size_t wordEnd) const {
    size_t i = wordEnd;
    while (i < text_.size() && IsSpace(text_[i])) {
        ++i;
    }
    return i < text_.size() && text_[i] == '(';
}

}  // namespace brevlink::caps
