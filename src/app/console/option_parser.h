// The flags of one command: "--name value", "--name=value" and bare switches, checked against the
// command's table so that a misspelt flag is refused instead of ignored.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrova::app::console {

struct OptionSpec {
    const char* name;  // without the leading "--"
    bool takesValue;
};

struct ParsedOptions {
    std::map<std::string, std::string> values;  // switches hold ""
    std::vector<std::string> positionals;
    bool help = false;  // --help or -h anywhere

    bool Has(const std::string& name) const { return values.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
};

// Parses `args` (the words after the command). False with a one-line `error` for an unknown
// flag, a missing value, a value given to a switch or a flag given twice. "--" ends the flags.
bool ParseOptions(std::span<const std::string> args,
                  std::span<const OptionSpec> specs,
                  ParsedOptions& parsed,
                  std::string& error);

}  // namespace kestrova::app::console
