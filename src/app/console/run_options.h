// The options of 'kestrova run', checked before anything is loaded or sent.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "app/console/answer_source.h"
#include "app/console/console_dialogs.h"
#include "app/console/option_parser.h"
#include "app/console/selection_choice.h"

namespace kestrova::app::console {

struct RunOptions {
    std::optional<std::string> projectPath;
    int monitor = 1;          // 1-based, as 'kestrova monitors' lists them
    std::optional<int> mode;  // kAutomaticMode or kManualMode when --mode was given
    CheckoffOverrides checkoff;
    SelectionChoice selection;
    std::optional<std::string> answersPath;
    std::optional<Reply> fixedAnswer;
    std::string report;  // as given; "" for the proposed name in the current folder
    std::optional<std::string> junitPath;
    bool progress = true;
};

std::span<const OptionSpec> RunOptionSpecs();

// False with a one-line `error` for a value that cannot be right or options that contradict.
bool ReadRunOptions(const ParsedOptions& parsed, RunOptions& options, std::string& error);

// "1" to "16".
bool ParseMonitorNumber(const std::string& text, int& monitor);
// The usage error for a bad --monitor value.
std::string BadMonitorText(const std::string& text);

// "automatic" / "manual" (any case).
std::optional<int> ParseMode(const std::string& text);

}  // namespace kestrova::app::console
