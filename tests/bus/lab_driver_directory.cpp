#include "lab_driver_directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "bus/wrapper_loader.h"

namespace kestrova::bus::testing {

namespace fs = std::filesystem;

namespace {

fs::path ProgramDirectory() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path.string();
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The source tree as the build saw it; Windows programs under Wine reach it through drive Z:.
fs::path SourcePath(const std::string& relative) {
#ifdef _WIN32
    return fs::path(std::string("Z:") + KESTROVA_SOURCE_DIR) / relative;
#else
    return fs::path(KESTROVA_SOURCE_DIR) / relative;
#endif
}

}  // namespace

LabDriverDirectory::LabDriverDirectory(const std::string& name, const std::string& profileJson) {
    const fs::path root = fs::temp_directory_path() / ("kestrova-" + name);
    fs::remove_all(root);
    const fs::path drivers = root / "Velmora Displays" / "Drivers";
    fs::create_directories(drivers);
    fs::copy_file(ProgramDirectory() / kWrapperFileName, drivers / kWrapperFileName);
    std::ofstream(drivers / "profile.json", std::ios::binary) << profileJson;
    std::ofstream(drivers / "brevlink.conf", std::ios::binary) << "backend = lab\nprofile = profile.json\n";
    root_ = root.string();
    driverDirectory_ = drivers.string();
}

std::string ReadLabProfile(const std::string& name) {
    return ReadFile(SourcePath("lab/" + name + ".json"));
}

std::string ReadCorpusCaps(const std::string& file) {
    const char* corpus = std::getenv("KESTROVA_CORPUS_DIR");
    const fs::path directory = corpus != nullptr ? fs::path(corpus) : SourcePath("../shared/corpus");
    return ReadFile(directory / "caps" / file);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace kestrova::bus::testing
