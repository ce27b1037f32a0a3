// brevlink-lab-i2c: runs a command with the monitors of a lab profile as /dev/i2c-N devices.
//
//   brevlink-lab-i2c [--first-bus N] [--log FILE] PROFILE -- COMMAND [ARGUMENT...]
//
// The monitor at attach position P is /dev/i2c-(N+P), N 200 unless given. The preload library
// (libbrevlink-lab-i2c.so, beside this program) serves those paths inside the command; --log
// appends every Set VCP the monitors saw when the command ends ("P 0x10 30").
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "brevlink/sim/profile_json.h"

namespace {

constexpr char kUsage[] = "usage: brevlink-lab-i2c [--first-bus N] [--log FILE] PROFILE -- COMMAND [ARGUMENT...]\n";
constexpr char kPreloadName[] = "libbrevlink-lab-i2c.so";

std::string Absolute(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string PreloadLibrary() {
    if (const char* given = std::getenv("BREVLINK_LAB_I2C_PRELOAD"); given != nullptr && *given != '\0') {
        return given;
    }
    char self[PATH_MAX];
    const ssize_t size = readlink("/proc/self/exe", self, sizeof self - 1);
    if (size <= 0) {
        return kPreloadName;
    }
    self[size] = '\0';
    std::string dir(self);
    dir.erase(dir.rfind('/'));
    for (const std::string& candidate : {dir + "/" + kPreloadName, dir + "/../lib/" + kPreloadName}) {
        if (access(candidate.c_str(), R_OK) == 0) {
            return candidate;
        }
    }
    return kPreloadName;
}

void Prepend(const char* name, const std::string& value, const char* separator) {
    const char* old = std::getenv(name);
    const std::string joined = old != nullptr && *old != '\0' ? value + separator + old : value;
    setenv(name, joined.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    std::string firstBus = "200";
    std::string log;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0 && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        if (std::strcmp(argv[i], "--first-bus") == 0) {
            firstBus = argv[i + 1];
        } else if (std::strcmp(argv[i], "--log") == 0) {
            log = Absolute(argv[i + 1]);
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (i + 2 >= argc || std::strcmp(argv[i + 1], "--") != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string profile = Absolute(argv[i]);
    const brevlink::sim::ProfileResult loaded = brevlink::sim::LoadProfileFile(profile);
    if (!loaded.profile) {
        for (const std::string& error : loaded.errors) {
            std::fprintf(stderr, "brevlink-lab-i2c: %s\n", error.c_str());
        }
        return 2;
    }
    char* end = nullptr;
    const long first = std::strtol(firstBus.c_str(), &end, 10);
    if (*end != '\0' || first < 0 || first > 999000) {
        std::fprintf(stderr, "brevlink-lab-i2c: --first-bus %s is not a bus number\n", firstBus.c_str());
        return 2;
    }
    // The lab's buses must not hide real ones: the launcher itself sees the real /dev.
    for (const brevlink::sim::MonitorProfile& monitor : loaded.profile->monitors) {
        const std::string path = "/dev/i2c-" + std::to_string(first + monitor.position);
        if (access(path.c_str(), F_OK) == 0) {
            std::fprintf(stderr, "brevlink-lab-i2c: %s is a real adapter here; choose another --first-bus\n",
                         path.c_str());
            return 2;
        }
    }
    setenv("BREVLINK_LAB_I2C_PROFILE", profile.c_str(), 1);
    setenv("BREVLINK_LAB_I2C_FIRST_BUS", firstBus.c_str(), 1);
    if (!log.empty()) {
        setenv("BREVLINK_LAB_I2C_LOG", log.c_str(), 1);
    }
    Prepend("LD_PRELOAD", PreloadLibrary(), ":");
    // A command built with AddressSanitizer wants its runtime first; the preload comes first here.
    Prepend("ASAN_OPTIONS", "verify_asan_link_order=0", ":");
    char** command = argv + i + 2;
    execvp(command[0], command);
    std::fprintf(stderr, "brevlink-lab-i2c: cannot run %s: %s\n", command[0], std::strerror(errno));
    return 127;
}
