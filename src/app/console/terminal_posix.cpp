#include <unistd.h>

#include "app/console/terminal.h"

namespace kestrova::app::console {

bool IsTerminal(std::FILE* stream) {
    return stream != nullptr && isatty(fileno(stream)) != 0;
}

}  // namespace kestrova::app::console
