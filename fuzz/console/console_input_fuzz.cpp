// The console's outside texts. An answers file either gives its answers in order, each kept with
// its line, or is refused naming the line; the run's options either make a consistent run or are
// refused with a one-line message.
//
// Input: one byte choosing the text; for the answers file, the prompts to answer (one byte each,
// up to a NUL) and then the file; for the options, the words of the command line, NUL-separated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app/console/answer_source.h"
#include "app/console/option_parser.h"
#include "app/console/run_options.h"
#include "app/console/selection_choice.h"
#include "catalogue/vcp_groups.h"
#include "fuzz/common/fuzz_support.h"

namespace {

using namespace kestrova::app::console;
using kestrova::fuzz::Check;

size_t LineCount(const std::string& text) {
    std::istringstream in(text);
    size_t count = 0;
    for (std::string line; std::getline(in, line);) {
        ++count;
    }
    return count;
}

void FuzzAnswers(kestrova::fuzz::ByteReader& input) {
    const std::string prompts = input.Field('\0');
    const std::string text(input.Rest());
    std::vector<AnswerLine> lines;
    std::string error;
    const bool parsed = ParseAnswers(text, "answers.txt", lines, error);
    const size_t count = LineCount(text);
    Check(lines.size() <= count);
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(lines[i].number >= 1 && static_cast<size_t>(lines[i].number) <= count);
        Check(i == 0 || lines[i].number > lines[i - 1].number);
    }
    if (!parsed) {
        // "answers.txt:<line>: ..." and nothing else on its line.
        Check(error.rfind("answers.txt:", 0) == 0 && error.find('\n') == std::string::npos);
        const size_t number = std::stoul(error.substr(12));
        Check(number >= 1 && number <= count && (lines.empty() || static_cast<size_t>(lines.back().number) < number));
        return;
    }
    Check(error.empty());
    // The words written back read as the same answers.
    std::string written;
    for (const AnswerLine& line : lines) {
        written += std::string(ReplyWord(line.reply)) + "\n";
    }
    std::vector<AnswerLine> again;
    Check(ParseAnswers(written, "again", again, error) && again.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(again[i].reply == lines[i].reply);
    }
    // A run's questions take the answers in order; each gets an answer that fits, or a reason.
    ScriptedAnswers answers("answers.txt", lines);
    for (char kind : prompts) {
        Prompt prompt;
        prompt.kind = static_cast<PromptKind>(static_cast<unsigned char>(kind) % 3);
        prompt.text = "question";
        std::string failure;
        const std::optional<Reply> reply = answers.Answer(prompt, failure);
        Check(reply.has_value() == failure.empty());
        Check(!reply || ReplyFits(prompt.kind, *reply));
        if (!reply) {
            break;
        }
    }
}

void FuzzRunOptions(kestrova::fuzz::ByteReader& input) {
    std::vector<std::string> words;
    while (!input.Empty()) {
        words.push_back(input.Field('\0'));
    }
    // A message quotes what it refuses; only a word's own line break may break its line.
    const bool oneLine = std::none_of(words.begin(), words.end(),
                                      [](const std::string& w) { return w.find('\n') != std::string::npos; });
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(words, RunOptionSpecs(), parsed, error)) {
        Check(!error.empty() && (!oneLine || error.find('\n') == std::string::npos));
        return;
    }
    for (const auto& [name, value] : parsed.values) {
        bool known = false;
        for (const OptionSpec& spec : RunOptionSpecs()) {
            known = known || (name == spec.name && (spec.takesValue || value.empty()));
        }
        Check(known);
    }
    RunOptions options;
    error.clear();
    if (!ReadRunOptions(parsed, options, error)) {
        Check(!error.empty() && (!oneLine || error.find('\n') == std::string::npos));
        return;
    }
    Check(error.empty());
    Check(options.monitor >= 1 && options.monitor <= 16);
    Check(options.selection.given == (parsed.Has("groups") || parsed.Has("codes")));
    Check(!(options.projectPath && options.selection.given));
    Check(!(options.answersPath && options.fixedAnswer));
    Check(!options.fixedAnswer || *options.fixedAnswer == Reply::kYes || *options.fixedAnswer == Reply::kNo);
    for (int group : options.selection.groups) {
        Check(group >= 0 && group < static_cast<int>(kestrova::catalogue::kVcpGroupCount));
    }
    for (uint8_t code : options.selection.codes) {
        Check(!GroupsListing(code).empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrova::fuzz::ByteReader input(data, size);
    if (input.Byte() % 2 == 0) {
        FuzzAnswers(input);
    } else {
        FuzzRunOptions(input);
    }
    return 0;
}
