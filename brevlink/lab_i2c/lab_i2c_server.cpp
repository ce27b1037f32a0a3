#include "brevlink/lab_i2c/lab_i2c_server.h"

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "brevlink/sim/lab_command.h"
#include "brevlink/sim/profile_json.h"

namespace brevlink::labi2c {

namespace {
std::atomic<uint64_t> advancedMs{0};
}  // namespace

uint64_t LabClockMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000 + advancedMs.load();
}

void AdvanceLabClock(uint32_t ms) {
    advancedMs += ms;
}

LabI2cServer::LabI2cServer(const sim::LabProfile& profile, int firstBus) : lab_(profile), firstBus_(firstBus) {
    for (const auto& monitor : lab_.Monitors()) {
        monitor->Port().SetClock(&LabClockMs);
    }
}

std::optional<int> LabI2cServer::BusOfPath(const char* path) const {
    constexpr char kPrefix[] = "/dev/i2c-";
    if (path == nullptr || std::strncmp(path, kPrefix, sizeof kPrefix - 1) != 0) {
        return std::nullopt;
    }
    const char* digits = path + sizeof kPrefix - 1;
    if (*digits < '0' || *digits > '9' || std::strlen(digits) > 6) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long bus = std::strtol(digits, &end, 10);
    if (*end != '\0') {
        return std::nullopt;
    }
    const long position = bus - firstBus_;
    if (position < sim::kMinPosition || position > sim::kMaxPosition) {
        return std::nullopt;
    }
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (const_cast<sim::Lab&>(lab_).AtPosition(static_cast<int>(position)) == nullptr) {
        return std::nullopt;
    }
    return static_cast<int>(bus);
}

std::vector<std::string> LabI2cServer::DeviceNames() const {
    std::vector<std::string> names;
    for (const auto& monitor : lab_.Monitors()) {
        names.push_back("i2c-" + std::to_string(firstBus_ + monitor->Profile().position));
    }
    return names;
}

bool LabI2cServer::IsServed(int fd) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return open_.count(fd) > 0;
}

int LabI2cServer::BusOf(int fd) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const auto it = open_.find(fd);
    return it == open_.end() ? -1 : it->second.bus;
}

void LabI2cServer::Attach(int fd, int bus) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Open entry;
    entry.monitor = lab_.AtPosition(bus - firstBus_);
    entry.bus = bus;
    open_[fd] = entry;
}

void LabI2cServer::Detach(int fd) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    open_.erase(fd);
}

LabI2cServer::Open* LabI2cServer::Find(int fd) {
    const auto it = open_.find(fd);
    return it == open_.end() || it->second.monitor == nullptr ? nullptr : &it->second;
}

ssize_t LabI2cServer::Read(int fd, void* data, size_t size, int& error) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Open* open = Find(fd);
    if (open == nullptr || open->slave < 0) {
        error = open == nullptr ? EBADF : EINVAL;
        return -1;
    }
    if (size == 0) {
        return 0;
    }
    if (!open->monitor->Bus().Read(static_cast<uint8_t>(open->slave), static_cast<uint8_t*>(data), size)) {
        error = ENXIO;  // no acknowledge
        return -1;
    }
    return static_cast<ssize_t>(size);
}

ssize_t LabI2cServer::Write(int fd, const void* data, size_t size, int& error) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Open* open = Find(fd);
    if (open == nullptr || open->slave < 0) {
        error = open == nullptr ? EBADF : EINVAL;
        return -1;
    }
    if (size == 0) {
        return 0;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (open->slave == 0x37 && size >= 3 && (bytes[1] & 0x7F) > 0) {
        requests_[bytes[2]]++;  // source, length, opcode
    }
    if (!open->monitor->Bus().Write(static_cast<uint8_t>(open->slave), bytes, size)) {
        error = ENXIO;
        return -1;
    }
    return static_cast<ssize_t>(size);
}

int LabI2cServer::Ioctl(int fd, unsigned long request, void* argument, int& error) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Open* open = Find(fd);
    if (open == nullptr) {
        error = EBADF;
        return -1;
    }
    const std::vector<uint8_t>& held = open->monitor->Profile().wire.driverHolds;
    switch (request) {
        case I2C_SLAVE:
        case I2C_SLAVE_FORCE: {
            const auto address = reinterpret_cast<uintptr_t>(argument);
            if (address > 0x7F) {
                error = EINVAL;
                return -1;
            }
            const bool claimed = std::find(held.begin(), held.end(), static_cast<uint8_t>(address)) != held.end();
            if (request == I2C_SLAVE && claimed) {
                error = EBUSY;
                return -1;
            }
            open->slave = static_cast<int>(address);
            return 0;
        }
        case I2C_FUNCS: {
            if (argument == nullptr) {
                error = EFAULT;
                return -1;
            }
            *static_cast<unsigned long*>(argument) = I2C_FUNC_I2C;
            return 0;
        }
        case I2C_RDWR: {
            auto* transfer = static_cast<i2c_rdwr_ioctl_data*>(argument);
            if (transfer == nullptr || transfer->msgs == nullptr || transfer->nmsgs == 0 ||
                transfer->nmsgs > I2C_RDWR_IOCTL_MAX_MSGS) {
                error = EINVAL;
                return -1;
            }
            std::vector<I2cMessage> messages(transfer->nmsgs);
            for (size_t i = 0; i < messages.size(); ++i) {
                const i2c_msg& m = transfer->msgs[i];
                if ((m.flags & ~I2C_M_RD) != 0 || m.addr > 0x7F || m.buf == nullptr) {
                    error = EINVAL;
                    return -1;
                }
                messages[i] = I2cMessage{static_cast<uint8_t>(m.addr), (m.flags & I2C_M_RD) != 0, m.buf, m.len};
            }
            if (!open->monitor->Bus().Transfer(messages.data(), messages.size())) {
                error = ENXIO;
                return -1;
            }
            return static_cast<int>(messages.size());
        }
        case I2C_TIMEOUT:
        case I2C_RETRIES:
        case I2C_PEC:
            return 0;
        default:
            error = ENOTTY;
            return -1;
    }
}

std::string LabI2cServer::WritesLog() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::string log;
    for (const auto& monitor : lab_.Monitors()) {
        const std::string position = std::to_string(monitor->Profile().position);
        std::string reply;
        if (!sim::RunLabCommand(lab_, "writes " + position, reply)) {
            continue;
        }
        size_t start = 0;
        while (start < reply.size()) {
            size_t end = reply.find('\n', start);
            if (end == std::string::npos) {
                end = reply.size();
            }
            if (end > start) {
                log += position + " " + reply.substr(start, end - start) + "\n";
            }
            start = end + 1;
        }
    }
    for (const auto& [opcode, count] : requests_) {
        char line[48];
        std::snprintf(line, sizeof line, "requests 0x%02X %llu\n", opcode, static_cast<unsigned long long>(count));
        log += line;
    }
    return log;
}

LabI2cServer* ServerFromEnvironment(std::string& problem) {
    const char* path = std::getenv("BREVLINK_LAB_I2C_PROFILE");
    if (path == nullptr || *path == '\0') {
        return nullptr;
    }
    int firstBus = kDefaultFirstBus;
    if (const char* first = std::getenv("BREVLINK_LAB_I2C_FIRST_BUS"); first != nullptr && *first != '\0') {
        firstBus = std::atoi(first);
    }
    sim::ProfileResult loaded = sim::LoadProfileFile(path);
    if (!loaded.profile) {
        for (const std::string& error : loaded.errors) {
            problem += error + "\n";
        }
        problem += std::string("lab profile ") + path + " not loaded; no lab bus is served";
        return nullptr;
    }
    // Never destroyed: the program's own exit handlers may still close its descriptors.
    return new LabI2cServer(*loaded.profile, firstBus);
}

}  // namespace brevlink::labi2c
