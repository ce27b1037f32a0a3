// The lab's monitors as Linux i2c-dev devices: each monitor of a profile is the bus
// /dev/i2c-(first bus + attach position), served to the calls a program makes on it (open, read,
// write, ioctl, close) by the monitor's display side: DDC/CI at 0x37, the EDID EEPROM at 0x50
// with the segment pointer at 0x30. Pure logic over file descriptors the caller allocates; the
// preload library (preload.cpp) routes the C library's calls here.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/sim/lab.h"

namespace brevlink::labi2c {

constexpr int kDefaultFirstBus = 200;  // far above what real adapters are numbered
constexpr unsigned kI2cMajor = 89;     // i2c-dev's character device major

class LabI2cServer {
  public:
    LabI2cServer(const sim::LabProfile& profile, int firstBus);

    // The bus a path names ("/dev/i2c-201"), when a lab monitor sits on it.
    std::optional<int> BusOfPath(const char* path) const;
    // "i2c-201", ... for the directory scans of /dev.
    std::vector<std::string> DeviceNames() const;
    bool IsServed(int fd) const;

    // `fd` is a descriptor the caller opened for the purpose (it keeps the number unique).
    void Attach(int fd, int bus);
    void Detach(int fd);
    // The i2c-dev calls: the result, or -1 with `error` set as the kernel would.
    ssize_t Read(int fd, void* data, size_t size, int& error);
    ssize_t Write(int fd, const void* data, size_t size, int& error);
    int Ioctl(int fd, unsigned long request, void* argument, int& error);
    // The bus an fd was opened on (for fstat), -1 for none.
    int BusOf(int fd) const;

    // Every monitor's Set VCP writes, "P 0x10 30" one per line (the lab's `writes` command),
    // then the DDC/CI requests the monitors received by opcode, "requests 0x01 412".
    std::string WritesLog();

  private:
    struct Open {
        sim::SimMonitor* monitor = nullptr;
        int bus = -1;
        int slave = -1;
    };
    Open* Find(int fd);

    mutable std::recursive_mutex mutex_;
    sim::Lab lab_;
    int firstBus_;
    std::map<int, Open> open_;
    std::map<uint8_t, uint64_t> requests_;  // by opcode, every monitor
};

// The lab's clock in ms: the monotonic clock, plus whatever a virtual bus clock in the same process
// (the library's, under KESTROVA_VIRTUAL_CLOCK=1) has waited through AdvanceLabClock.
uint64_t LabClockMs();
void AdvanceLabClock(uint32_t ms);

// The server the preload library set up from its environment, or null when it serves nothing.
LabI2cServer* ServerFromEnvironment(std::string& problem);

}  // namespace brevlink::labi2c
