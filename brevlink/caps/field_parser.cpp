#include "brevlink/caps/field_parser.h"

#include <algorithm>
#include <utility>

#include "brevlink/caps/keyword.h"
#include "brevlink/caps/text_util.h"

namespace brevlink::caps {
namespace {

size_t NextParen(std::string_view text, size_t pos) {
    while (pos < text.size() && text[pos] != '(' && text[pos] != ')') {
        ++pos;
    }
    return pos;
}

// The position just after the ")" matching the "(" at `open`, or npos.
size_t MatchingClose(std::string_view text, size_t open) {
    size_t depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

FieldEnd FieldParser::FlatText(size_t open) {
    size_t start = open + 1;
    size_t paren = NextParen(text_, start);
    if (paren < text_.size() && text_[paren] == ')') {
        return FieldEnd{text_.substr(start, paren - start), paren + 1};
    }
    if (paren < text_.size()) {
        NameParts inner = SplitName(text_.substr(start, paren - start));
        if (inner.match.keyword != Keyword::kUnknown || inner.binary) {
            quirks_ |= kUnbalancedParentheses;
            return FieldEnd{inner.bare, static_cast<size_t>(inner.written.data() - text_.data())};
        }
    }
    return NestedText(open);
}

FieldEnd FieldParser::NestedText(size_t open) {
    size_t start = open + 1;
    size_t end = MatchingClose(text_, open);
    if (end == std::string_view::npos) {
        quirks_ |= kTruncated | kUnbalancedParentheses;
        return FieldEnd{text_.substr(start), text_.size()};
    }
    return FieldEnd{text_.substr(start, end - 1 - start), end};
}

FieldEnd FieldParser::Binary(size_t open) {
    size_t pos = open + 1;
    while (pos < text_.size() && IsSpace(text_[pos])) {
        ++pos;
    }
    size_t digitsStart = pos;
    size_t count = 0;
    for (; pos < text_.size() && text_[pos] >= '0' && text_[pos] <= '9'; ++pos) {
        // Saturates: a count beyond the text is cut to the text anyway.
        count = std::min(count * 10 + static_cast<size_t>(text_[pos] - '0'), text_.size() + 1);
    }
    if (pos == digitsStart || pos >= text_.size() || text_[pos] != '(') {
        return NestedText(open);
    }
    ++pos;
    size_t available = text_.size() - pos;
    if (count > available) {
        quirks_ |= kTruncated | kUnbalancedParentheses;
        return FieldEnd{text_.substr(pos), text_.size()};
    }
    FieldEnd end{text_.substr(pos, count), pos + count};
    for (int closing = 0; closing < 2; ++closing) {
        while (end.next < text_.size() && IsSpace(text_[end.next])) {
            ++end.next;
        }
        if (end.next < text_.size() && text_[end.next] == ')') {
            ++end.next;
        } else {
            quirks_ |= kUnbalancedParentheses;
            break;
        }
    }
    return end;
}

FieldEnd FieldParser::List(size_t open, const ListStop& stop) {
    size_t start = open + 1;
    size_t valueEnd = stop.pos;
    if (stop.token == ListToken::kClose) {
        --valueEnd;
    } else if (stop.token == ListToken::kField) {
        quirks_ |= kUnbalancedParentheses;
    } else {
        quirks_ |= kTruncated | kUnbalancedParentheses;
    }
    return FieldEnd{Trim(text_.substr(start, valueEnd - start)), stop.pos};
}

bool FieldParser::OpensFieldGroup(size_t open) const {
    size_t paren = NextParen(text_, open + 1);
    if (paren >= text_.size() || text_[paren] != '(') {
        return false;
    }
    NameParts inner = SplitName(text_.substr(open + 1, paren - open - 1));
    return inner.match.keyword != Keyword::kUnknown && inner.bare.empty();
}

void ParseVcpNames(std::string_view value, std::vector<VcpName>& names) {
    size_t pos = 0;
    for (;;) {
        while (pos < value.size() && IsSpace(value[pos])) {
            ++pos;
        }
        size_t codeStart = pos;
        while (pos < value.size() && IsHexDigit(value[pos])) {
            ++pos;
        }
        std::string_view code = value.substr(codeStart, pos - codeStart);
        while (pos < value.size() && IsSpace(value[pos])) {
            ++pos;
        }
        if (code.empty() || code.size() > 2 || pos >= value.size() || value[pos] != '(') {
            return;
        }
        size_t end = MatchingClose(value, pos);
        if (end == std::string_view::npos) {
            return;
        }
        VcpName name;
        SplitHexWord(code, 2, [&name](unsigned number) { name.code = static_cast<uint8_t>(number); });
        name.names.assign(Trim(value.substr(pos + 1, end - pos - 2)));
        names.push_back(std::move(name));
        pos = end;
    }
}

}  // namespace brevlink::caps
