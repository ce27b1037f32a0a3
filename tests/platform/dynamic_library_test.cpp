#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#ifdef _WIN32
#include <windows.h>
#define KESTROVA_EXE_EXPORT __declspec(dllexport)
#else
#include <unistd.h>
#define KESTROVA_EXE_EXPORT __attribute__((visibility("default")))
#endif

// Found through MainProgramModule, as a host's exports are found by the script extension.
extern "C" KESTROVA_EXE_EXPORT int KestrovaTestHostExport() {
    return 42;
}

namespace kestrova::platform {
namespace {

// The folder of the running test, where the build puts the test module too.
std::string ProgramFolder() {
    char path[4096] = {};
#ifdef _WIN32
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length < sizeof path ? length : 0);
    return text.substr(0, text.find_last_of("\\/") + 1);
#else
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string text(path, length > 0 ? static_cast<size_t>(length) : 0);
    return text.substr(0, text.find_last_of('/') + 1);
#endif
}

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// One test for the whole life of the module: "not loaded" must be checked before anything loads it.
TEST(DynamicLibrary, LoadsByPathFindsSymbolsAndTheLoadedModule) {
    const std::string fileName = KESTROVA_TEST_MODULE_FILE;
    ASSERT_EQ(FindLoadedModule(fileName.c_str()), nullptr);

    ModuleHandle module = LoadSharedLibrary(ProgramFolder() + fileName);
    ASSERT_NE(module, nullptr) << LastLoadError();

    auto twice = FindFunction<int (*)(int)>(module, "KestrovaTestModuleTwice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(FindSymbol(module, "KestrovaTestModuleThrice"), nullptr);
    EXPECT_EQ(FindSymbol(module, nullptr), nullptr);
    EXPECT_EQ(FindSymbol(nullptr, "KestrovaTestModuleTwice"), nullptr);

    EXPECT_EQ(FindLoadedModule(fileName.c_str()), module);
    EXPECT_EQ(FindLoadedModule(UpperCase(fileName).c_str()), module);
    // A folder part never matches; only the file name is compared.
    EXPECT_EQ(FindLoadedModule((ProgramFolder() + fileName).c_str()), nullptr);
    EXPECT_EQ(FindLoadedModule(""), nullptr);
    EXPECT_EQ(FindLoadedModule(nullptr), nullptr);

    // Loading again gives the module already loaded.
    EXPECT_EQ(LoadSharedLibrary(ProgramFolder() + fileName), module);
}

TEST(DynamicLibrary, MissingFileFailsWithAReason) {
    for (const std::string& path :
         {ProgramFolder() + "NoSuchKestrovaModule.dll", std::string("NoSuchKestrovaModule.dll"), std::string()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(LoadSharedLibrary(path), nullptr);
        EXPECT_FALSE(LastLoadError().empty());
    }
    EXPECT_EQ(FindLoadedModule("NoSuchKestrovaModule.dll"), nullptr);
}

TEST(DynamicLibrary, MainProgramModuleSeesTheProgramsExports) {
    ModuleHandle program = MainProgramModule();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(MainProgramModule(), program);
    auto hostExport = FindFunction<int (*)()>(program, "KestrovaTestHostExport");
    ASSERT_NE(hostExport, nullptr);
    EXPECT_EQ(hostExport(), 42);
    EXPECT_EQ(FindSymbol(program, "KestrovaTestNoSuchExport"), nullptr);
}

}  // namespace
}  // namespace kestrova::platform
