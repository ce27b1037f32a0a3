// Loading a shared library and finding its symbols by name (LoadLibrary/GetProcAddress on Windows,
// dlopen/dlsym elsewhere).
#pragma once

#include <string>

namespace kestrova::platform {

// An opaque handle to a loaded module; null means "none".
using ModuleHandle = void*;

// Keeps the current folder and PATH out of the search for every library the process loads by name
// from now on, so that a DLL planted beside the engineer's files is never taken (Windows: the
// program's folder and the system's; elsewhere nothing changes). Called first thing by each front.
void RestrictLibrarySearch();

// Loads the library at `path` (a bare file name uses the system's search order). Null on failure.
// The library is never unloaded by us: callers keep it for the life of the process.
ModuleHandle LoadSharedLibrary(const std::string& path);

// The text of the last loading failure, for diagnostics (empty when unknown).
std::string LastLoadError();

// The address of the exported symbol `name` in `module`, or null when it is absent or `module` is null.
void* FindSymbol(ModuleHandle module, const char* name);

// An already loaded module found by its file name alone (no folder), compared without regard to
// case as Windows does. Null when no such module is loaded. Never loads anything.
ModuleHandle FindLoadedModule(const char* fileName);

// The main executable of the process. On Linux symbol look-ups through this handle see the
// process's global symbols, so a host that wants to be found must export its functions.
ModuleHandle MainProgramModule();

// Typed look-up: FindFunction<int (*)(int)>(module, "Name").
template <typename Fn>
Fn FindFunction(ModuleHandle module, const char* name) {
    return reinterpret_cast<Fn>(FindSymbol(module, name));
}

}  // namespace kestrova::platform
