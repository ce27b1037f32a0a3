#include "platform/time_format.h"

#include <vector>

namespace kestrova::platform {

namespace {

struct Piece {
    std::string text;
    char conversion = 0;  // the conversion letter, or 0 for literal text
};

bool IsFlagOrWidth(char c) {
    return c == '_' || c == '-' || c == '0' || c == '^' || c == '#' || (c >= '1' && c <= '9');
}

struct Splitter {
    std::string_view timeFormat;
    std::string_view amPmFormat;
    std::vector<Piece> pieces;

    void AddLiteral(std::string_view literal) {
        if (pieces.empty() || pieces.back().conversion != 0) {
            pieces.push_back({});
        }
        pieces.back().text += literal;
    }

    void Split(std::string_view format, int depth) {
        size_t i = 0;
        while (i < format.size()) {
            if (format[i] != '%') {
                AddLiteral(format.substr(i, 1));
                ++i;
                continue;
            }
            size_t end = i + 1;
            while (end < format.size() && IsFlagOrWidth(format[end])) {
                ++end;
            }
            if (end < format.size() && (format[end] == 'E' || format[end] == 'O')) {
                ++end;
            }
            if (end >= format.size()) {
                AddLiteral(format.substr(i));  // a cut-off conversion stays as it was
                return;
            }
            const char conversion = format[end];
            const std::string_view whole = format.substr(i, end + 1 - i);
            i = end + 1;
            if (conversion == '%') {
                AddLiteral(whole);
            } else if (depth < 2 && conversion == 'r') {
                Split(amPmFormat.empty() ? "%I:%M:%S %p" : amPmFormat, depth + 1);
            } else if (depth < 2 && conversion == 'T') {
                Split("%H:%M:%S", depth + 1);
            } else if (depth < 2 && conversion == 'X') {
                Split(timeFormat, depth + 1);
            } else {
                pieces.push_back({std::string(whole), conversion});
            }
        }
    }
};

bool IsLiteral(const std::vector<Piece>& pieces, size_t i) {
    return i < pieces.size() && pieces[i].conversion == 0;
}

// Punctuation and spaces separate fields; letters, digits and non-ASCII text are words.
bool IsSeparator(const std::string& text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string TimeFormatWithoutSeconds(std::string_view timeFormat, std::string_view amPmFormat) {
    Splitter splitter{timeFormat, amPmFormat, {}};
    splitter.Split(timeFormat, 0);
    std::vector<Piece>& pieces = splitter.pieces;
    for (size_t i = 0; i < pieces.size();) {
        if (pieces[i].conversion != 'S') {
            ++i;
            continue;
        }
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
        const bool separatorBefore = i > 0 && IsLiteral(pieces, i - 1) && IsSeparator(pieces[i - 1].text);
        if (separatorBefore) {
            pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i - 1));
            --i;
        } else if (IsLiteral(pieces, i) && (i == 0 || !IsSeparator(pieces[i].text))) {
            pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    std::string result;
    for (const Piece& piece : pieces) {
        result += piece.text;
    }
    return result;
}

}  // namespace kestrova::platform
