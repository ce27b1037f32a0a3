#include "app/console/answer_source.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace kestrova::app::console {
namespace {

TEST(AnswersFile, LinesAndMistakes) {
    struct Case {
        const char* text;
        std::vector<Reply> replies;
        const char* error;
    } cases[] = {
        {"yes\nNo\n\n  redo  # again\r\nOK\n# only a note\nY\nn\nr\n",
         {Reply::kYes, Reply::kNo, Reply::kRedo, Reply::kOk, Reply::kYes, Reply::kNo, Reply::kRedo},
         ""},
        {"", {}, ""},
        {"yes\nmaybe\n", {}, "a.txt:2: \"maybe\" is no answer (yes, no, redo or ok)"},
    };
    for (const Case& c : cases) {
        std::vector<AnswerLine> lines;
        std::string error;
        EXPECT_EQ(ParseAnswers(c.text, "a.txt", lines, error), std::string(c.error).empty()) << c.text;
        EXPECT_EQ(error, c.error);
        std::vector<Reply> replies;
        for (const AnswerLine& line : lines) {
            replies.push_back(line.reply);
        }
        if (error.empty()) {
            EXPECT_EQ(replies, c.replies) << c.text;
        }
    }
}

TEST(AnswersFile, AFolderOrAMissingFileIsRefused) {
    std::vector<AnswerLine> lines;
    std::string error;
    EXPECT_FALSE(LoadAnswersFile(".", lines, error));
    EXPECT_EQ(error, "cannot read the answers file \".\": it is a folder");
    EXPECT_FALSE(LoadAnswersFile("no-such-answers.txt", lines, error));
    EXPECT_EQ(error, "cannot read the answers file \"no-such-answers.txt\"");
}

struct Step {
    PromptKind kind;
    std::optional<Reply> expected;
    const char* failure;
};

TEST(AnswersFile, AnsweredInOrderWithOptionalOkLines) {
    std::vector<AnswerLine> lines;
    std::string error;
    ASSERT_TRUE(ParseAnswers("redo\nok\nyes\nredo\n", "a.txt", lines, error));
    ScriptedAnswers answers("a.txt", lines);
    const Step steps[] = {
        {PromptKind::kOk, Reply::kOk, ""},  // no "ok" next: nothing taken
        {PromptKind::kRedoYesNo, Reply::kRedo, ""},
        {PromptKind::kOk, Reply::kOk, ""},  // takes line 2
        {PromptKind::kYesNo, Reply::kYes, ""},
        {PromptKind::kYesNo, std::nullopt, "a.txt:4: \"redo\" does not answer \"Q\" (yes or no)"},
        {PromptKind::kRedoYesNo, std::nullopt, "a.txt: no answer left for \"Q\""},
        {PromptKind::kOk, Reply::kOk, ""},  // boxes need no line, even then
    };
    for (const Step& step : steps) {
        std::string failure;
        EXPECT_EQ(answers.Answer(Prompt{step.kind, "C", "Q"}, failure), step.expected);
        EXPECT_EQ(failure, step.failure);
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File FileWith(const std::string& text) {
    File file(std::tmpfile());
    std::fputs(text.c_str(), file.get());
    std::rewind(file.get());
    return file;
}

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(TerminalAnswers, AsksAgainUntilTheWordFitsAndStopsAtTheEnd) {
    File in = FileWith("maybe\nok\nR\n\ny\n");
    File out(std::tmpfile());
    TerminalAnswers answers(in.get(), out.get());
    std::string failure;
    EXPECT_EQ(answers.Answer(Prompt{PromptKind::kRedoYesNo, "0x10", "Did it change?"}, failure), Reply::kRedo);
    EXPECT_EQ(Contents(out.get()),
              "\n[0x10] Did it change?\nRedo, Yes or No? [r/y/n] Redo, Yes or No? [r/y/n] Redo, Yes or No? [r/y/n] ");
    EXPECT_EQ(answers.Answer(Prompt{PromptKind::kOk, "Box", "Unplug it."}, failure), Reply::kOk);
    EXPECT_EQ(answers.Answer(Prompt{PromptKind::kYesNo, "PIP", "Moved?"}, failure), Reply::kYes);
    EXPECT_EQ(answers.Answer(Prompt{PromptKind::kYesNo, "PIP", "Moved?"}, failure), std::nullopt);
    EXPECT_EQ(failure, "standard input ended before \"Moved?\" was answered");
}

}  // namespace
}  // namespace kestrova::app::console
