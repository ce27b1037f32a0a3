#include "app/console/html_text.h"

#include <cctype>
#include <cstdlib>

#include "app/console/trimmed.h"

namespace kestrova::app::console {

namespace {

bool IsLineBreakTag(std::string_view tag) {
    std::string name;
    for (char c : tag) {
        if (c != '/' && !std::isspace(static_cast<unsigned char>(c))) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return name == "br";
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the entity at the start of `text` (which begins with '&'); answers the characters used.
size_t DecodeEntity(std::string_view text, std::string& out) {
    const size_t end = text.find(';');
    if (end == std::string_view::npos || end > 10) {
        return 0;
    }
    const std::string_view name = text.substr(1, end - 1);
    static constexpr struct {
        const char* name;
        const char* text;
    } kNamed[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    for (const auto& entity : kNamed) {
        if (name == entity.name) {
            out += entity.text;
            return end + 1;
        }
    }
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits(name.substr(hex ? 2 : 1));
        char* stop = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
        if (!digits.empty() && *stop == '\0' && code > 0 && code <= 0x10FFFF) {
            AppendUtf8(out, code);
            return end + 1;
        }
    }
    return 0;
}

}  // namespace

std::string HtmlToPlainText(std::string_view html) {
    std::string out;
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            const size_t close = html.find('>', i);
            if (close == std::string_view::npos) {
                out.append(html.substr(i));
                break;
            }
            if (IsLineBreakTag(html.substr(i + 1, close - i - 1))) {
                // "Verified, <BR>" leaves no blank at the end of a plain line.
                while (!out.empty() && out.back() == ' ') {
                    out.pop_back();
                }
                out += '\n';
            }
            i = close + 1;
        } else if (c == '&') {
            const size_t used = DecodeEntity(html.substr(i), out);
            if (used == 0) {
                out += '&';
                ++i;
            } else {
                i += used;
            }
        } else {
            out += c;
            ++i;
        }
    }
    return Trimmed(out);
}

}  // namespace kestrova::app::console
