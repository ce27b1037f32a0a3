#include "script_ext/host/options.h"

#include "script_ext/host/command_text.h"

namespace kestrova::lmscript {

const char* const kUsage =
    "usage: lmscript [--library PATH] [--monitor N] [--yes | --no] SCRIPT [ARG...]\n"
    "       lmscript --help | --version\n"
    "Runs a Python script with lm_embedded_python_ext against a monitor through the Brevlink library.\n"
    "  --library PATH  the Brevlink library (default: libbrevlink.so beside lmscript, else in\n"
    "                  the tester's driver folder, <common files>/Velmora Displays/Drivers)\n"
    "  --monitor N     the monitor position, 1-16 (default: the first attached monitor)\n"
    "  --yes, --no     answer every yes/no question so, without asking\n";

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options.scriptPath.empty()) {
            options.scriptArgs.push_back(arg);
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
            return true;
        } else if (arg == "--version") {
            options.version = true;
            return true;
        } else if (arg == "--yes" || arg == "--no") {
            const PresetAnswer answer = arg == "--yes" ? PresetAnswer::kYes : PresetAnswer::kNo;
            if (options.answer != PresetAnswer::kAsk && options.answer != answer) {
                error = "--yes and --no exclude each other";
                return false;
            }
            options.answer = answer;
        } else if (arg == "--library" || arg == "--monitor") {
            if (i + 1 == args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--library") {
                options.libraryPath = value;
            } else {
                const auto monitor = ParseNumber(value, 16);
                if (!monitor || *monitor == 0 || value.find_first_not_of("0123456789") != std::string::npos) {
                    error = "--monitor takes a position from 1 to 16";
                    return false;
                }
                options.monitor = static_cast<int>(*monitor);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            options.scriptPath = arg;
        }
    }
    if (options.scriptPath.empty()) {
        error = "no script given";
        return false;
    }
    return true;
}

}  // namespace kestrova::lmscript
