#include "bus/wrapper_loader.h"

#include "bus/wrapper_table.h"
#include "operator/operator_output.h"
#include "platform/clock.h"
#include "platform/dynamic_library.h"

namespace kestrova::bus {

namespace {

constexpr char kSeparator = platform::kPathSeparator;

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && path.back() == kSeparator;
}

}  // namespace

std::optional<std::string> FindDriverDirectory(platform::ShellFolders& folders) {
    std::optional<std::string> common = folders.CommonProgramFiles();
    if (!common) {
        return std::nullopt;
    }
    std::string directory;
    if (!common->empty()) {
        directory = *common;
        if (!EndsWithSeparator(directory)) {
            directory += kSeparator;
        }
        directory += std::string("Velmora Displays") + kSeparator;
    } else {
        std::optional<std::string> programFiles = folders.ProgramFiles();
        if (!programFiles) {
            return std::nullopt;
        }
        directory = *programFiles;
        if (!EndsWithSeparator(directory)) {
            directory += kSeparator;
        }
        directory += std::string("Common Files") + kSeparator + "Velmora Displays" + kSeparator;
    }
    directory += std::string("Drivers") + kSeparator;
    return directory;
}

std::string WrapperLibraryPath(const std::string& directory) {
    if (directory.size() > 1) {
        return directory + kSeparator + kWrapperFileName;
    }
    return kWrapperFileName;
}

bool LoadWrapper(const std::string& directory, const std::string& productKey) {
    platform::ModuleHandle module = platform::LoadSharedLibrary(WrapperLibraryPath(directory));
    if (module == nullptr) {
        return false;
    }
    BindWrapper(module);
    // A library that lacks what the tester calls would fail later at random places; refuse it now.
    if (!FirstMissingRequiredEntryPoint().empty()) {
        UnbindWrapper();
        return false;
    }
    if (directory.size() > 1 && productKey.size() > 1) {
        Wrapper.WrLibPath2(directory.c_str(), productKey.c_str());
    }
    return true;
}

bool LocateAndLoadWrapper(platform::ShellFolders& folders) {
    std::optional<std::string> directory = FindDriverDirectory(folders);
    if (!directory) {
        return false;
    }
    return LoadWrapper(*directory, kProductKey);
}

std::string LoadingErrorText() {
    return "There was an error loading the required libraries or drivers for Kestrova.  Kestrova will Exit.\n"
           "If this error has come up for the first time :\n"
           "1) Verify installation is correct.\n"
           "2) Restart the system and try again.\n"
           "If you continue to see this error, please notify Velmora Displays Inc.";
}

void ShowLoadingError() {
    op::ShowMessageBox(kLoadingErrorCaption, LoadingErrorText(), op::MessageButtons::kOk, op::MessageIcon::kError);
}

void HoldBusLock() {
    while (Wrapper.WrSynLock() == 0) {
        platform::SleepMs(10);
    }
}

void PrepareBus() {
    HoldBusLock();
    Wrapper.WrLogEnableDiag(0);
    Wrapper.WrLogEnableWrap(255);
    Wrapper.WrEnum();
    Wrapper.WrSynUnlock();
}

}  // namespace kestrova::bus
