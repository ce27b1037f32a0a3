// lmscript: runs one Python script inside this process through lm_embedded_python_ext, and serves
// the extension's host exports against a monitor of the Brevlink library.
#include "platform/shell_folders.h"
#include "script_ext/host/brevlink_bus.h"
#include "script_ext/host/exports.h"
#include "script_ext/host/options.h"
#include "script_ext/script_interface.h"
#include "script_ext/stdio_redirect.h"

#include <unistd.h>

#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace {

using namespace kestrova::lmscript;

constexpr int kScriptFailed = 1;
constexpr int kCannotRun = 2;

std::string ProgramFolder() {
    char path[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string text(path, length > 0 ? static_cast<size_t>(length) : 0);
    const size_t slash = text.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : text.substr(0, slash);
}

// Beside lmscript (a build tree), else in the tester's driver folder (an installed package).
std::string DefaultLibrary() {
    const std::string beside = ProgramFolder() + "/libbrevlink.so";
    if (std::ifstream(beside)) {
        return beside;
    }
    const std::optional<std::string> common = kestrova::platform::SystemShellFolders().CommonProgramFiles();
    return common && !common->empty() ? *common + "/Velmora Displays/Drivers/libbrevlink.so" : beside;
}

int CannotRun(const std::string& why) {
    std::cerr << "lmscript: " << why << "\n";
    return kCannotRun;
}

int Run(const Options& options) {
    if (!std::ifstream(options.scriptPath)) {
        return CannotRun("cannot read script " + options.scriptPath);
    }
    const std::string library = options.libraryPath.empty() ? DefaultLibrary() : options.libraryPath;
    BrevlinkBus bus;
    std::string error;
    if (!bus.Open(library, error)) {
        return CannotRun(error);
    }
    const uint32_t attached = bus.AttachedMask();
    int monitor = options.monitor;
    if (monitor == 0) {
        monitor = FirstMonitor(attached);
        if (monitor == 0) {
            std::cerr << "lmscript: no monitor attached; monitor commands will fail\n";
        }
    } else if (((attached >> monitor) & 1u) == 0) {
        return CannotRun("no monitor at position " + std::to_string(monitor));
    }

    Prompter prompter(std::cin, std::cout, ::isatty(STDIN_FILENO) != 0, options.answer);
    ScriptHost host(bus, monitor, prompter, std::cerr);
    InstallHost(&host);
    bool ran = false;
    try {
        ran = ScriptInterface::Instance().run_python_script(
            options.scriptPath, static_cast<int>(options.scriptArgs.size()), options.scriptArgs);
    } catch (const std::exception& failure) {
        InstallHost(nullptr);
        return CannotRun(failure.what());
    }
    InstallHost(nullptr);
    if (!ran) {
        return kScriptFailed;
    }
    // A successful script's output stays in the extension's ring; show what it kept.
    std::cout << PythonStdIoRedirect::TakeOutput() << std::flush;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "lmscript: " << error << "\n" << kUsage;
        return kCannotRun;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "lmscript " KESTROVA_VERSION "\n";
        return 0;
    }
    return Run(options);
}
