// The bus time of a full Automatic run on the real-bus path: kestrova with the i2c-dev back end
// against a lab profile served on /dev/i2c-N, KESTROVA_VIRTUAL_CLOCK=1 so that the library counts
// its DDC/CI pauses instead of sleeping. Beside it, the standard's minimum for the requests the
// lab received: 40 ms after each Get VCP (and Timing) request, 50 ms after each Set VCP, each
// capabilities or table request and each Table Write, 200 ms after Save Current Settings.
//   bench_bus_time [PROFILE.json ...]   (default: lab/compliant.json, lab/two-monitors.json)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

uint32_t MinimumAfter(unsigned opcode) {
    switch (opcode) {
        case 0x01:  // Get VCP
        case 0x07:  // Timing Request
            return 40;
        case 0x0C:  // Save Current Settings
            return 200;
        default:  // Set VCP, Capabilities Request, Table Read, Table Write
            return 50;
    }
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

int Measure(const std::string& profile) {
    const fs::path work = fs::temp_directory_path() / ("kestrova-bus-time-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "config");
    const std::string bin = std::string(KESTROVA_BINARY_DIR) + "/bin/";
    const std::string command =
        "cd " + Quoted(work.string()) +
        " && env -u BREVLINK_LAB_PROFILE BREVLINK_BACKEND=i2c-dev KESTROVA_VIRTUAL_CLOCK=1" +
        " XDG_CONFIG_HOME=" + Quoted((work / "config").string()) +
        " CommonProgramFiles=" + Quoted(std::string(KESTROVA_BINARY_DIR) + "/drivers") +
        " BREVLINK_BUS_TIME_LOG=" + Quoted((work / "bus.txt").string()) + " " + Quoted(bin + "brevlink-lab-i2c") +
        " --log " + Quoted((work / "lab.txt").string()) + " " + Quoted(profile) + " -- " + Quoted(bin + "kestrova") +
        " run --mode automatic --locking-code 5A --report r.html --no-progress </dev/null >out.txt 2>err.txt";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::map<unsigned, unsigned long long> requests;
    std::ifstream lab(work / "lab.txt");
    for (std::string line; std::getline(lab, line);) {
        unsigned opcode = 0;
        unsigned long long count = 0;
        if (std::sscanf(line.c_str(), "requests 0x%x %llu", &opcode, &count) == 2) {
            requests[opcode] += count;
        }
    }
    unsigned long long asked = 0;
    unsigned long long pauses = 0;
    std::ifstream bus(work / "bus.txt");
    std::ostringstream histogram;
    for (std::string line; std::getline(bus, line);) {
        unsigned ms = 0;
        unsigned long long count = 0;
        if (std::sscanf(line.c_str(), "bus waits %llu ms in %llu pauses", &asked, &pauses) == 2) {
            continue;
        }
        if (std::sscanf(line.c_str(), "pauses of %u ms: %llu", &ms, &count) == 2) {
            histogram << " " << count << "x" << ms;
        }
    }
    unsigned long long minimum = 0;
    std::printf("%s (exit %d, %.2f s of wall time)\n", fs::path(profile).filename().c_str(), WEXITSTATUS(status),
                seconds);
    for (const auto& [opcode, count] : requests) {
        std::printf("  requests 0x%02X: %llu x %u ms\n", opcode, count, MinimumAfter(opcode));
        minimum += count * MinimumAfter(opcode);
    }
    std::printf("  bus time asked: %llu ms in %llu pauses (%s )\n", asked, pauses, histogram.str().c_str());
    std::printf("  standard minimum: %llu ms; asked/minimum = %.3f\n", minimum,
                minimum > 0 ? static_cast<double>(asked) / static_cast<double>(minimum) : 0.0);
    fs::remove_all(work);
    return asked > 0 && minimum > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> profiles(argv + 1, argv + argc);
    if (profiles.empty()) {
        profiles = {std::string(KESTROVA_SOURCE_DIR) + "/lab/compliant.json",
                    std::string(KESTROVA_SOURCE_DIR) + "/lab/two-monitors.json"};
    }
    int failures = 0;
    for (const std::string& profile : profiles) {
        failures += Measure(fs::absolute(profile).string());
    }
    return failures == 0 ? 0 : 1;
}
