#include "script_ext/host/prompts.h"

#include "script_ext/host/command_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace kestrova::lmscript {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

Prompter::Prompter(std::istream& in, std::ostream& out, bool interactive, PresetAnswer preset)
    : in_(in), out_(out), interactive_(interactive), preset_(preset) {}

void Prompter::Ask(const std::string& caption, const std::string& text, const char* hint) {
    out_ << "[" << caption << "] " << text;
    if (hint != nullptr) {
        out_ << " " << hint;
    }
    out_ << std::flush;
}

bool Prompter::ReadLine(std::string& line) {
    if (!std::getline(in_, line)) {
        out_ << "\n";
        return false;
    }
    if (!interactive_) {
        out_ << line << "\n";  // echo, so a piped run reads like a session
    }
    line = Trimmed(line);
    return true;
}

void Prompter::Show(const std::string& caption, const std::string& text) {
    if (interactive_ && preset_ == PresetAnswer::kAsk) {
        Ask(caption, text, "(Enter)");
        std::string line;
        ReadLine(line);
        return;
    }
    Ask(caption, text, nullptr);
    out_ << "\n";
}

int Prompter::YesNo(const std::string& caption, const std::string& text) {
    if (preset_ != PresetAnswer::kAsk) {
        Ask(caption, text, "(y/n)");
        out_ << (preset_ == PresetAnswer::kYes ? " yes\n" : " no\n");
        return preset_ == PresetAnswer::kYes ? 1 : 0;
    }
    for (;;) {
        Ask(caption, text, "(y/n)");
        std::string line;
        if (!ReadLine(line)) {
            return 0;
        }
        line = Lower(line);
        if (line == "y" || line == "yes") {
            return 1;
        }
        if (line == "n" || line == "no" || !interactive_) {
            return 0;
        }
    }
}

int Prompter::Number(const std::string& caption, const std::string& text, bool hex) {
    for (;;) {
        Ask(caption, text, hex ? "(hex)" : "(number)");
        std::string line;
        if (!ReadLine(line)) {
            return 0;
        }
        if (hex) {
            const std::string digits = line.rfind("0x", 0) == 0 || line.rfind("0X", 0) == 0 ? line : "0x" + line;
            if (auto value = ParseNumber(digits, std::numeric_limits<uint32_t>::max())) {
                return static_cast<int>(*value);
            }
        } else {
            const bool negative = !line.empty() && line[0] == '-';
            const std::string digits = negative ? line.substr(1) : line;
            const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
            if (auto value = digits.find_first_not_of("0123456789") == std::string::npos ? ParseNumber(digits, limit)
                                                                                         : std::nullopt) {
                return negative ? static_cast<int>(-static_cast<int64_t>(*value)) : static_cast<int>(*value);
            }
        }
        if (!interactive_) {
            return 0;
        }
    }
}

int Prompter::Integer(const std::string& caption, const std::string& text) {
    return Number(caption, text, false);
}

int Prompter::Hex(const std::string& caption, const std::string& text) {
    return Number(caption, text, true);
}

void Prompter::Command(const std::string& caption, const std::string& text, std::string& command) {
    Ask(caption, text, ("[" + command + "]").c_str());
    std::string line;
    if (ReadLine(line) && !line.empty()) {
        command = line;
    }
}

}  // namespace kestrova::lmscript
