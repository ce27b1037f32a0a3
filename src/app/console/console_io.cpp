#include "app/console/console_io.h"

#include "app/console/exit_status.h"

namespace kestrova::app::console {

int Fail(const ConsoleIo& io, const std::string& message) {
    std::fprintf(io.err, "kestrova: %s\n", message.c_str());
    std::fflush(io.err);
    return kExitSetupError;
}

}  // namespace kestrova::app::console
