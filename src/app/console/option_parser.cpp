#include "app/console/option_parser.h"

namespace kestrova::app::console {

namespace {

const OptionSpec* FindSpec(std::span<const OptionSpec> specs, const std::string& name) {
    for (const OptionSpec& spec : specs) {
        if (name == spec.name) {
            return &spec;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> ParsedOptions::Value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool ParseOptions(std::span<const std::string> args,
                  std::span<const OptionSpec> specs,
                  ParsedOptions& parsed,
                  std::string& error) {
    bool flagsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (flagsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            flagsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            error = "unknown option " + arg;
            return false;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionSpec* spec = FindSpec(specs, name);
        if (spec == nullptr) {
            error = "unknown option --" + name;
            return false;
        }
        if (parsed.Has(name)) {
            error = "--" + name + " is given twice";
            return false;
        }
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                error = "--" + name + " takes no value";
                return false;
            }
            parsed.values[name] = "";
            continue;
        }
        if (equals != std::string::npos) {
            parsed.values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.values[name] = args[++i];
        } else {
            error = "--" + name + " needs a value";
            return false;
        }
    }
    return true;
}

}  // namespace kestrova::app::console
