// Shared libraries on POSIX systems: dlopen/dlsym, and dl_iterate_phdr to find a loaded module.
#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>
#include <strings.h>

#include <cctype>
#include <cstring>
#include <map>
#include <mutex>

namespace kestrova::platform {

namespace {

thread_local std::string lastLoadError;

void RememberDlError() {
    const char* text = dlerror();
    lastLoadError = text != nullptr ? text : "";
}

const char* FileNamePart(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

struct ModuleSearch {
    const char* fileName;
    std::string path;
};

int MatchModule(dl_phdr_info* info, size_t /*size*/, void* data) {
    auto* search = static_cast<ModuleSearch*>(data);
    // The main program and the vDSO may carry empty names.
    if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') {
        return 0;
    }
    if (strcasecmp(FileNamePart(info->dlpi_name), search->fileName) != 0) {
        return 0;
    }
    search->path = info->dlpi_name;
    return 1;
}

}  // namespace

// RTLD_NOW: a library with unresolved symbols fails here, at load, as a Windows DLL with a missing
// import does, instead of failing at some later call. RTLD_LOCAL: a Windows module's exports are
// seen only through its own handle, so the library must not add its names to the process's global
// scope (where they could shadow the host's exports seen through MainProgramModule).
void RestrictLibrarySearch() {}

ModuleHandle LoadSharedLibrary(const std::string& path) {
    if (path.empty()) {
        lastLoadError = "empty library path";
        return nullptr;
    }
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        RememberDlError();
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
    return dlsym(module, name);
}

ModuleHandle FindLoadedModule(const char* fileName) {
    // Only a bare file name is looked for; a folder part can never match.
    if (fileName == nullptr || fileName[0] == '\0' || std::strchr(fileName, '/') != nullptr) {
        return nullptr;
    }
    // A module once found stays found: the reference taken below keeps it mapped for the life of
    // the process, so later look-ups neither walk the module list nor take another reference.
    static std::mutex mutex;
    static std::map<std::string, ModuleHandle> found;
    std::string key(fileName);
    for (char& c : key) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::lock_guard<std::mutex> lock(mutex);
    if (const auto known = found.find(key); known != found.end()) {
        return known->second;
    }
    ModuleSearch search{fileName, {}};
    if (dl_iterate_phdr(MatchModule, &search) == 0) {
        return nullptr;
    }
    // RTLD_NOLOAD answers the handle of the module already mapped and never loads one.
    ModuleHandle module = dlopen(search.path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (module != nullptr) {
        found.emplace(std::move(key), module);
    }
    return module;
}

ModuleHandle MainProgramModule() {
    // dlopen(nullptr) is the global scope: the executable and the libraries loaded with it.
    static ModuleHandle const program = dlopen(nullptr, RTLD_NOW);
    return program;
}

}  // namespace kestrova::platform
