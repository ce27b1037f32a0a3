// The well-known program folders. Windows asks the shell without creating the folder; Linux reads
// the CommonProgramFiles and ProgramFiles environment variables (a variable set to an empty value
// answers an empty text), else the documented install locations: the build's
// KESTROVA_COMMON_FILES_DEFAULT for the common program files ("/usr/local/lib"; "/usr/lib" in the
// Debian package) and "/opt" for the program files (see README). Injectable so tests can give any
// answer, a failed query included.
#pragma once

#include <optional>
#include <string>

namespace kestrova::platform {

class ShellFolders {
  public:
    virtual ~ShellFolders() = default;
    // The common program files folder; nullopt when the query fails. May answer an empty text.
    virtual std::optional<std::string> CommonProgramFiles() = 0;
    // The program files folder; nullopt when the query fails.
    virtual std::optional<std::string> ProgramFiles() = 0;
};

// The operating system's answers.
ShellFolders& SystemShellFolders();

// Fixed answers, for tests.
class FixedShellFolders final : public ShellFolders {
  public:
    FixedShellFolders(std::optional<std::string> common, std::optional<std::string> programFiles)
        : common_(std::move(common)), programFiles_(std::move(programFiles)) {}
    std::optional<std::string> CommonProgramFiles() override { return common_; }
    std::optional<std::string> ProgramFiles() override { return programFiles_; }

  private:
    std::optional<std::string> common_;
    std::optional<std::string> programFiles_;
};

// The separator that ends every folder we build: "\" on Windows, "/" elsewhere.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace kestrova::platform
