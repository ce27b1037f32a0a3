// Shared libraries on Windows: LoadLibraryA, GetProcAddress and GetModuleHandleA.
#include "platform/dynamic_library.h"

#include <windows.h>

#include <cstring>

namespace kestrova::platform {

namespace {

thread_local std::string lastLoadError;

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = "error " + std::to_string(code);
    if (length != 0 && text != nullptr) {
        std::string message(text, length);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
            message.pop_back();
        }
        result += ": " + message;
    }
    if (text != nullptr) {
        ::LocalFree(text);
    }
    return result;
}

}  // namespace

void RestrictLibrarySearch() {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

ModuleHandle LoadSharedLibrary(const std::string& path) {
    if (path.empty()) {
        lastLoadError = "empty library path";
        return nullptr;
    }
    // No "cannot find a DLL" box from the system: a failed load is reported by the caller.
    DWORD previousMode = 0;
    const BOOL modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE module = ::LoadLibraryA(path.c_str());
    const DWORD error = ::GetLastError();
    if (modeSet) {
        ::SetThreadErrorMode(previousMode, nullptr);
    }
    if (module == nullptr) {
        lastLoadError = SystemErrorText(error);
    } else {
        lastLoadError.clear();
    }
    return module;
}

std::string LastLoadError() {
    return lastLoadError;
}

void* FindSymbol(ModuleHandle module, const char* name) {
    if (module == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

ModuleHandle FindLoadedModule(const char* fileName) {
    // Only a bare file name is looked for; with a folder GetModuleHandleA would compare whole paths.
    if (fileName == nullptr || fileName[0] == '\0' || std::strpbrk(fileName, "\\/") != nullptr) {
        return nullptr;
    }
    return ::GetModuleHandleA(fileName);
}

ModuleHandle MainProgramModule() {
    return ::GetModuleHandleA(nullptr);
}

}  // namespace kestrova::platform
