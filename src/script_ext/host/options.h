// lmscript's command line.
#pragma once

#include "script_ext/host/prompts.h"

#include <string>
#include <vector>

namespace kestrova::lmscript {

struct Options {
    std::string libraryPath;  // empty: libbrevlink.so beside the program
    int monitor = 0;          // 0: the first attached monitor
    PresetAnswer answer = PresetAnswer::kAsk;
    std::string scriptPath;
    std::vector<std::string> scriptArgs;
    bool help = false;
    bool version = false;  // "lmscript <version>", as help2man reads it
};

extern const char* const kUsage;

// False with `error` set for a command line lmscript cannot run.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

}  // namespace kestrova::lmscript
