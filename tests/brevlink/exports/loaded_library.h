// Loads Brevlink by path from beside the test program, as the tester does, and binds every
// entry point by name into one table built from entry_points.def.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include "brevlink/brevlink.h"

namespace brevlink::testing {

#if defined(_WIN32)
constexpr char kLibraryFile[] = "Brevlink.dll";
#else
constexpr char kLibraryFile[] = "libbrevlink.so";
#endif

inline std::string ProgramDirectory() {
#if defined(_WIN32)
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of("\\/") + 1);
#else
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    std::string text(path.data(), length > 0 ? static_cast<size_t>(length) : 0);
    return text.substr(0, text.find_last_of('/') + 1);
#endif
}

inline std::string LibraryPath() {
    return ProgramDirectory() + kLibraryFile;
}

struct WrapperTable {
#define BREVLINK_ENTRY(ret, name, params) name##Fn name = nullptr;
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
    BrevlinkLabCommandFn BrevlinkLabCommand = nullptr;
};

// Loaded once per process and never unloaded, like the tester does.
class LoadedLibrary {
  public:
    static LoadedLibrary& Get() {
        static LoadedLibrary* library = new LoadedLibrary();
        return *library;
    }

    bool Loaded() const { return handle_ != nullptr; }
    const WrapperTable& Table() const { return table_; }
    void* Symbol(const char* name) const {
#if defined(_WIN32)
        return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
#else
        return handle_ ? dlsym(handle_, name) : nullptr;
#endif
    }
    void* Handle() const {
        return handle_;
    }

  private:
    LoadedLibrary() {
#if defined(_WIN32)
        handle_ = LoadLibraryA(LibraryPath().c_str());
#else
        handle_ = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
#define BREVLINK_ENTRY(ret, name, params) table_.name = reinterpret_cast<name##Fn>(Symbol(#name));
#include "brevlink/entry_points.def"
#undef BREVLINK_ENTRY
        table_.BrevlinkLabCommand = reinterpret_cast<BrevlinkLabCommandFn>(Symbol("BrevlinkLabCommand"));
    }

    void* handle_ = nullptr;
    WrapperTable table_;
};

inline void SetEnvironment(const char* name, const std::optional<std::string>& value) {
#if defined(_WIN32)
    SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
#else
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
#endif
}

// Starts every test from the built-in monitor: no back-end variables, no driver directory.
inline void ResetToBuiltinLab(const WrapperTable& wr) {
    SetEnvironment("BREVLINK_BACKEND", std::nullopt);
    SetEnvironment("BREVLINK_LAB_PROFILE", std::nullopt);
    wr.WrLibPath2("", "LMT");
    wr.WrReEnum();
}

// A file of the source tree; under Wine the tree is on drive Z:.
inline std::string SourcePath(const std::string& relative) {
#if defined(_WIN32)
    return std::string("Z:") + KESTROVA_SOURCE_DIR + "/" + relative;
#else
    return std::string(KESTROVA_SOURCE_DIR) + "/" + relative;
#endif
}

// Serves the profile lab/<name> for the rest of the test (until the next reset).
inline bool UseLabProfile(const WrapperTable& wr, const std::string& name) {
    SetEnvironment("BREVLINK_BACKEND", "lab:" + SourcePath("lab/" + name));
    return wr.WrReEnum() != 0;
}

inline std::string LabCommand(const WrapperTable& wr, const std::string& command) {
    char reply[4096] = {};
    uint32_t size = sizeof(reply);
    wr.BrevlinkLabCommand(command.c_str(), reply, &size);
    return std::string(reply, size);
}

}  // namespace brevlink::testing
