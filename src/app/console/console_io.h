// The three standard streams a command works with (tests hand in files), and the one-line
// failure every setup error ends in.
#pragma once

#include <cstdio>
#include <string>

namespace kestrova::app::console {

struct ConsoleIo {
    std::FILE* in = stdin;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
};

// Writes "kestrova: <message>" to standard error and answers kExitSetupError.
int Fail(const ConsoleIo& io, const std::string& message);

}  // namespace kestrova::app::console
