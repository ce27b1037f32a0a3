#include "cli_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace kestrova::app::console::testing {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

int Status(int systemResult) {
    return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
}

}  // namespace

std::vector<std::string> CliResult::OutLines() const {
    return Lines(out);
}

std::vector<std::string> CliResult::ErrLines() const {
    return Lines(err);
}

CliRunner::CliRunner(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("kestrova-cli-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "config");
    folder_ = folder.string();
    env_["CommonProgramFiles"] = std::string(KESTROVA_BINARY_DIR) + "/drivers";
    env_["XDG_CONFIG_HOME"] = folder_ + "/config";
    env_["KESTROVA_VIRTUAL_CLOCK"] = "1";
}

CliRunner::~CliRunner() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void CliRunner::ServeOnDevI2c(const std::string& path) {
    env_["BREVLINK_BACKEND"] = "i2c-dev";
    env_.erase("BREVLINK_LAB_PROFILE");
    prefix_ = {std::string(KESTROVA_BINARY_DIR) + "/bin/brevlink-lab-i2c", "--log", Path("lab.log"), path, "--"};
}

std::string CliRunner::SourcePath(const std::string& relative) {
    return std::string(KESTROVA_SOURCE_DIR) + "/" + relative;
}

CliResult CliRunner::Run(const std::vector<std::string>& args, const std::string& input) const {
    WriteFile(Path(".stdin"), input);
    std::string command = "cd " + Quoted(folder_) + " && env -u BREVLINK_BACKEND -u BREVLINK_LAB_PROFILE";
    for (const auto& [name, value] : env_) {
        command += " " + name + "=" + Quoted(value);
    }
    for (const std::string& word : prefix_) {
        command += " " + Quoted(word);
    }
    command += " " + Quoted(std::string(KESTROVA_BINARY_DIR) + "/bin/kestrova");
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += " < .stdin > .stdout 2> .stderr";
    CliResult result;
    result.status = Status(std::system(command.c_str()));
    result.out = ReadFile(Path(".stdout"));
    result.err = ReadFile(Path(".stderr"));
    return result;
}

std::string WithoutBackEndTexts(const std::string& text) {
    static const std::regex rows(
        "<td width=300>(Driver Name|VCP version|Controller|Firmware Version)</td><td "
        "width=260>[^<]*</td>");
    static const std::regex firmware("FW: v[^ <]*");
    static const std::regex firmwareLine("Firmware version is '[^']*'");
    static const std::regex tested("Tested: [^<]*");
    std::string out = std::regex_replace(text, rows, "<td>$1</td>");
    out = std::regex_replace(out, firmware, "FW:");
    out = std::regex_replace(out, firmwareLine, "Firmware version is");
    return std::regex_replace(out, tested, "Tested:");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string JunitSummaryByPython(const std::string& path) {
    const std::string script =
        "import sys, xml.etree.ElementTree as ET\n"
        "root = ET.parse(sys.argv[1]).getroot()\n"
        "cases = list(root.iter('testcase'))\n"
        "failures = [f for f in root.iter('failure')]\n"
        "texts = [f for f in failures if f.text and f.text.strip() and '<BR>' not in f.text]\n"
        "print(root.get('tests'), root.get('failures'), len(cases), len(failures), len(texts))\n";
    const std::string scriptPath = path + ".py";
    const std::string outPath = path + ".summary";
    WriteFile(scriptPath, script);
    const std::string command = "/usr/bin/python3 '" + scriptPath + "' '" + path + "' > '" + outPath + "' 2>&1";
    const int status = std::system(command.c_str());
    std::string summary = ReadFile(outPath);
    while (!summary.empty() && summary.back() == '\n') {
        summary.pop_back();
    }
    return Status(status) == 0 ? summary : "python: " + summary;
}

}  // namespace kestrova::app::console::testing
