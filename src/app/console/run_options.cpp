#include "app/console/run_options.h"

#include <cctype>

#include "bus/monitor_table.h"
#include "operator/run_settings.h"

namespace kestrova::app::console {

namespace {

constexpr OptionSpec kRunSpecs[] = {
    {"project", true},  {"monitor", true},       {"mode", true},         {"user", true},   {"firmware-version", true},
    {"revision", true}, {"firmware-date", true}, {"locking-code", true}, {"groups", true}, {"codes", true},
    {"answers", true},  {"answer", true},        {"report", true},       {"junit", true},  {"no-progress", false},
};

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

bool ParseMonitorNumber(const std::string& text, int& monitor) {
    if (text.empty() || text.size() > 2) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > bus::kMonitorRecordCount) {
        return false;
    }
    monitor = value;
    return true;
}

std::string BadMonitorText(const std::string& text) {
    return "--monitor takes a number from 1 to 16, not \"" + text + "\"";
}

std::span<const OptionSpec> RunOptionSpecs() {
    return kRunSpecs;
}

std::optional<int> ParseMode(const std::string& text) {
    const std::string mode = Lower(text);
    if (mode == "automatic") {
        return op::kAutomaticMode;
    }
    if (mode == "manual") {
        return op::kManualMode;
    }
    return std::nullopt;
}

bool ReadRunOptions(const ParsedOptions& parsed, RunOptions& options, std::string& error) {
    options = RunOptions{};
    if (!parsed.positionals.empty()) {
        error = "unexpected argument \"" + parsed.positionals.front() + "\"";
        return false;
    }
    options.projectPath = parsed.Value("project");
    if (options.projectPath && options.projectPath->empty()) {
        error = "--project needs a file";
        return false;
    }
    if (const auto monitor = parsed.Value("monitor"); monitor && !ParseMonitorNumber(*monitor, options.monitor)) {
        error = BadMonitorText(*monitor);
        return false;
    }
    if (const auto mode = parsed.Value("mode")) {
        options.mode = ParseMode(*mode);
        if (!options.mode) {
            error = "--mode takes automatic or manual, not \"" + *mode + "\"";
            return false;
        }
    }
    options.checkoff =
        CheckoffOverrides{parsed.Value("user"), parsed.Value("firmware-version"), parsed.Value("revision"),
                          parsed.Value("firmware-date"), parsed.Value("locking-code")};

    if (const auto groups = parsed.Value("groups")) {
        options.selection.given = true;
        if (!ParseGroupList(*groups, options.selection.groups, error)) {
            error = "--groups: " + error;
            return false;
        }
    }
    if (const auto codes = parsed.Value("codes")) {
        options.selection.given = true;
        if (!ParseCodeList(*codes, options.selection.codes, error)) {
            error = "--codes: " + error;
            return false;
        }
    }
    if (options.projectPath && options.selection.given) {
        error = "a project fixes the codes to test; --groups and --codes cannot go with --project";
        return false;
    }

    options.answersPath = parsed.Value("answers");
    if (const auto answer = parsed.Value("answer")) {
        const std::string word = Lower(*answer);
        if (word != "yes" && word != "no") {
            error = "--answer takes yes or no, not \"" + *answer + "\"";
            return false;
        }
        options.fixedAnswer = word == "yes" ? Reply::kYes : Reply::kNo;
    }
    if (options.answersPath && options.fixedAnswer) {
        error = "give --answers or --answer, not both";
        return false;
    }

    options.report = parsed.Value("report").value_or("");
    options.junitPath = parsed.Value("junit");
    if (options.junitPath && options.junitPath->empty()) {
        error = "--junit needs a file";
        return false;
    }
    options.progress = !parsed.Has("no-progress");
    return true;
}

}  // namespace kestrova::app::console
