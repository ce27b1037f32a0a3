// A driver directory in the temporary folder holding a copy of the real Brevlink library and a
// brevlink.conf that points it at a lab profile, so the tester's own loading walk finds it.
#pragma once

#include <string>

#include "platform/shell_folders.h"

namespace kestrova::bus::testing {

class LabDriverDirectory {
  public:
    // `profileJson` is written beside the library and named in brevlink.conf.
    explicit LabDriverDirectory(const std::string& name, const std::string& profileJson);
    // The common program files folder to answer, so that the driver directory is ours.
    platform::FixedShellFolders Folders() const { return platform::FixedShellFolders(root_, std::nullopt); }
    const std::string& DriverDirectory() const { return driverDirectory_; }

  private:
    std::string root_;
    std::string driverDirectory_;
};

// The text of a lab profile file of the repository (lab/NAME.json).
std::string ReadLabProfile(const std::string& name);
// The text of a real-world capabilities string (../shared/corpus/caps/NNN.txt).
std::string ReadCorpusCaps(const std::string& file);
// `text` as a JSON string literal.
std::string JsonString(const std::string& text);

}  // namespace kestrova::bus::testing
