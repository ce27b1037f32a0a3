#include <io.h>
#include <windows.h>

#include "app/console/terminal.h"

namespace kestrova::app::console {

// _isatty also answers true for NUL and other character devices; only a console has a mode.
bool IsTerminal(std::FILE* stream) {
    if (stream == nullptr) {
        return false;
    }
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    DWORD mode = 0;
    return handle != -1 && GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode) != 0;
}

}  // namespace kestrova::app::console
