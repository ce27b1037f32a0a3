// Runs the built kestrova program as a user would: its own process, a driver directory holding
// the real Brevlink library, a lab profile, the virtual clock, and standard input from a file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kestrova::app::console::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;

    std::vector<std::string> OutLines() const;
    std::vector<std::string> ErrLines() const;
};

class CliRunner {
  public:
    // A fresh scratch folder named after `name` and this process (builds may test side by side);
    // the program runs with it as its current folder. Removed again at the end.
    explicit CliRunner(const std::string& name);
    ~CliRunner();
    CliRunner(const CliRunner&) = delete;
    CliRunner& operator=(const CliRunner&) = delete;

    // Serves the repository's lab profile (lab/NAME.json).
    void UseProfile(const std::string& name) { env_["BREVLINK_LAB_PROFILE"] = SourcePath("lab/" + name + ".json"); }
    void SetEnv(const std::string& name, const std::string& value) { env_[name] = value; }
    // Serves the lab profile at `path` as /dev/i2c-N (brevlink-lab-i2c) and has the library use
    // its i2c-dev back end, so the real-bus code runs against it.
    void ServeOnDevI2c(const std::string& path);

    // Runs `kestrova args...` with `input` as standard input (never a terminal).
    CliResult Run(const std::vector<std::string>& args, const std::string& input = "") const;

    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& relative) const { return folder_ + "/" + relative; }
    static std::string SourcePath(const std::string& relative);

  private:
    std::string folder_;
    std::map<std::string, std::string> env_;
    std::vector<std::string> prefix_;
};

std::string ReadFile(const std::string& path);
// A report or log with what only one back end can say blanked: the driver name (it names the back
// end) and the OS and driver facts of a profile's "host" object that no bus carries (VCP version,
// controller, firmware version), and the minute the run started in.
std::string WithoutBackEndTexts(const std::string& text);
void WriteFile(const std::string& path, const std::string& text);

// What Python's XML parser reads from a JUnit file: "<tests> <failures> <testcases> <failure
// elements> <failures with text>", or the parser's complaint.
std::string JunitSummaryByPython(const std::string& path);

}  // namespace kestrova::app::console::testing
