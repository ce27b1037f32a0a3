#include "app/console/answer_source.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/console/trimmed.h"

namespace kestrova::app::console {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<Reply> ParseReplyWord(const std::string& word) {
    const std::string lower = Lower(word);
    if (lower == "yes" || lower == "y") {
        return Reply::kYes;
    }
    if (lower == "no" || lower == "n") {
        return Reply::kNo;
    }
    if (lower == "redo" || lower == "r") {
        return Reply::kRedo;
    }
    if (lower == "ok") {
        return Reply::kOk;
    }
    return std::nullopt;
}

const char* ChoicesOf(PromptKind kind) {
    switch (kind) {
        case PromptKind::kRedoYesNo:
            return "yes, no or redo";
        case PromptKind::kYesNo:
            return "yes or no";
        case PromptKind::kOk:
            break;
    }
    return "ok";
}

std::string Quoted(const Prompt& prompt) {
    return "\"" + prompt.text + "\"";
}

}  // namespace

const char* ReplyWord(Reply reply) {
    switch (reply) {
        case Reply::kYes:
            return "yes";
        case Reply::kNo:
            return "no";
        case Reply::kRedo:
            return "redo";
        case Reply::kOk:
            break;
    }
    return "ok";
}

bool ReplyFits(PromptKind kind, Reply reply) {
    switch (kind) {
        case PromptKind::kRedoYesNo:
            return reply != Reply::kOk;
        case PromptKind::kYesNo:
            return reply == Reply::kYes || reply == Reply::kNo;
        case PromptKind::kOk:
            break;
    }
    return reply == Reply::kOk;
}

bool ParseAnswers(const std::string& text,
                  const std::string& name,
                  std::vector<AnswerLine>& lines,
                  std::string& error) {
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string word = Trimmed(line.substr(0, line.find('#')));
        if (word.empty()) {
            continue;
        }
        const std::optional<Reply> reply = ParseReplyWord(word);
        if (!reply) {
            error = name + ":" + std::to_string(number) + ": \"" + word + "\" is no answer (yes, no, redo or ok)";
            return false;
        }
        lines.push_back(AnswerLine{number, *reply});
    }
    return true;
}

bool LoadAnswersFile(const std::string& path, std::vector<AnswerLine>& lines, std::string& error) {
    // A folder opens as an empty stream on Linux: without this check a Manual run would start and
    // stop at its first question instead of being refused before anything reaches the monitor.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = "cannot read the answers file \"" + path + "\": it is a folder";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the answers file \"" + path + "\"";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseAnswers(text.str(), path, lines, error);
}

std::optional<Reply> ScriptedAnswers::Answer(const Prompt& prompt, std::string& failure) {
    const bool more = next_ < lines_.size();
    if (prompt.kind == PromptKind::kOk) {
        if (more && lines_[next_].reply == Reply::kOk) {
            ++next_;
        }
        return Reply::kOk;
    }
    if (!more) {
        failure = name_ + ": no answer left for " + Quoted(prompt);
        return std::nullopt;
    }
    const AnswerLine& line = lines_[next_++];
    if (!ReplyFits(prompt.kind, line.reply)) {
        failure = name_ + ":" + std::to_string(line.number) + ": \"" + ReplyWord(line.reply) + "\" does not answer " +
                  Quoted(prompt) + " (" + ChoicesOf(prompt.kind) + ")";
        return std::nullopt;
    }
    return line.reply;
}

std::optional<Reply> FixedAnswers::Answer(const Prompt& prompt, std::string&) {
    return prompt.kind == PromptKind::kOk ? Reply::kOk : reply_;
}

std::optional<std::string> TerminalAnswers::ReadLine() {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(in_)) != EOF && c != '\n') {
        line += static_cast<char>(c);
    }
    if (c == EOF && line.empty()) {
        return std::nullopt;
    }
    return Trimmed(line);
}

std::optional<Reply> TerminalAnswers::Answer(const Prompt& prompt, std::string& failure) {
    std::fprintf(out_, "\n[%s] %s\n", prompt.caption.c_str(), prompt.text.c_str());
    if (prompt.kind == PromptKind::kOk) {
        std::fprintf(out_, "Press Enter to go on. ");
        std::fflush(out_);
        ReadLine();
        return Reply::kOk;
    }
    const char* ask = prompt.kind == PromptKind::kRedoYesNo ? "Redo, Yes or No? [r/y/n] " : "Yes or No? [y/n] ";
    for (;;) {
        std::fprintf(out_, "%s", ask);
        std::fflush(out_);
        const std::optional<std::string> line = ReadLine();
        if (!line) {
            failure = "standard input ended before " + Quoted(prompt) + " was answered";
            return std::nullopt;
        }
        const std::optional<Reply> reply = ParseReplyWord(*line);
        if (reply && ReplyFits(prompt.kind, *reply)) {
            return reply;
        }
    }
}

}  // namespace kestrova::app::console
