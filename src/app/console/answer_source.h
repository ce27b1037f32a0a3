// Who answers the questions of a run (Redo/Yes/No, Yes/No and OK boxes): the engineer at the
// terminal, an answers file read in order, or one fixed answer for every question.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kestrova::app::console {

enum class PromptKind { kRedoYesNo, kYesNo, kOk };
enum class Reply { kYes, kNo, kRedo, kOk };

struct Prompt {
    PromptKind kind = PromptKind::kYesNo;
    std::string caption;
    std::string text;
};

// "yes", "no", "redo", "ok".
const char* ReplyWord(Reply reply);
// Whether `reply` answers a prompt of `kind`.
bool ReplyFits(PromptKind kind, Reply reply);

class AnswerSource {
  public:
    virtual ~AnswerSource() = default;
    // The answer, or nullopt with `failure` saying why none could be had.
    virtual std::optional<Reply> Answer(const Prompt& prompt, std::string& failure) = 0;
    // True when the engineer sees the question as it is asked (nothing to echo).
    virtual bool Interactive() const { return false; }
};

struct AnswerLine {
    int number = 0;  // line number in the file, from 1
    Reply reply = Reply::kNo;
};

// One answer per line ("yes", "no", "redo", "ok" or y/n/r, any case); blank lines and text after
// '#' are ignored. False with "NAME:LINE: ..." in `error` for anything else.
bool ParseAnswers(const std::string& text, const std::string& name, std::vector<AnswerLine>& lines, std::string& error);
bool LoadAnswersFile(const std::string& path, std::vector<AnswerLine>& lines, std::string& error);

// Answers from the file's lines in order. An OK box takes an "ok" line when one is next and needs
// none otherwise, so a file may list the boxes or leave them out.
class ScriptedAnswers final : public AnswerSource {
  public:
    ScriptedAnswers(std::string name, std::vector<AnswerLine> lines)
        : name_(std::move(name)), lines_(std::move(lines)) {}
    std::optional<Reply> Answer(const Prompt& prompt, std::string& failure) override;

  private:
    std::string name_;
    std::vector<AnswerLine> lines_;
    size_t next_ = 0;
};

// Yes or No to every question, OK to every box.
class FixedAnswers final : public AnswerSource {
  public:
    explicit FixedAnswers(Reply reply) : reply_(reply) {}
    std::optional<Reply> Answer(const Prompt& prompt, std::string& failure) override;

  private:
    Reply reply_;
};

// Asks on `out` and reads the engineer's line from `in`, asking again after a word that does not fit.
class TerminalAnswers final : public AnswerSource {
  public:
    TerminalAnswers(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}
    std::optional<Reply> Answer(const Prompt& prompt, std::string& failure) override;
    bool Interactive() const override { return true; }

  private:
    std::optional<std::string> ReadLine();

    std::FILE* in_;
    std::FILE* out_;
};

}  // namespace kestrova::app::console
