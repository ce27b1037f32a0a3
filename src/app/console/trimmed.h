// Text without the white space around it: answers, option values and cell texts of the console.
#pragma once

#include <cctype>
#include <string>

namespace kestrova::app::console {

inline std::string Trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

}  // namespace kestrova::app::console
