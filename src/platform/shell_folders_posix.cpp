// The program folders on POSIX systems: the environment first, then the install locations.
#include "platform/shell_folders.h"

#include <cstdlib>

namespace kestrova::platform {

namespace {

// Read at each query so that a changed environment is seen. A variable set to an empty value is
// an answer of its own (an empty folder text), as an empty shell answer is on Windows.
std::string FromEnvironment(const char* name, const char* installLocation) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string(installLocation);
}

class PosixShellFolders final : public ShellFolders {
  public:
    std::optional<std::string> CommonProgramFiles() override {
        return FromEnvironment("CommonProgramFiles", KESTROVA_COMMON_FILES_DEFAULT);
    }
    std::optional<std::string> ProgramFiles() override { return FromEnvironment("ProgramFiles", "/opt"); }
};

}  // namespace

ShellFolders& SystemShellFolders() {
    static PosixShellFolders folders;
    return folders;
}

}  // namespace kestrova::platform
