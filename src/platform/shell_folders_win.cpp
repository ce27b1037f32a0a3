// The program folders as the Windows shell reports them.
#include "platform/shell_folders.h"

#include <shlobj.h>
#include <windows.h>

namespace kestrova::platform {

namespace {

// Never CSIDL_FLAG_CREATE: the tester only reads. Only S_OK is an answer; S_FALSE means the
// folder does not exist and the buffer holds nothing.
std::optional<std::string> QueryFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
        return std::nullopt;
    }
    path[MAX_PATH - 1] = '\0';
    return std::string(path);
}

class WindowsShellFolders final : public ShellFolders {
  public:
    std::optional<std::string> CommonProgramFiles() override { return QueryFolder(CSIDL_PROGRAM_FILES_COMMON); }
    std::optional<std::string> ProgramFiles() override { return QueryFolder(CSIDL_PROGRAM_FILES); }
};

}  // namespace

ShellFolders& SystemShellFolders() {
    static WindowsShellFolders folders;
    return folders;
}

}  // namespace kestrova::platform
