// /dev and i2c-dev in memory: each path is a bus whose transactions go to an I2cTransport.
#pragma once

#include <cerrno>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/transport/i2c_dev_ops.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink::testing {

class FakeI2cDevOps : public I2cDevOps {
  public:
    std::vector<std::string> names;                              // what /dev lists
    std::map<std::string, std::unique_ptr<I2cTransport>> buses;  // what can be opened
    std::vector<uint8_t> busyAddresses;                          // I2C_SLAVE fails (EBUSY)
    bool forceRefused = false;                                   // I2C_SLAVE_FORCE fails too (EPERM)
    ssize_t shortBy = 0;                                         // transfers come up short
    int failWith = ENXIO;                                        // the errno of a failed transfer
    std::map<std::string, std::string> sys;                      // sysfs files and their text
    std::vector<std::string> calls;

    std::vector<std::string> ListDevNames() override { return names; }

    int Open(const std::string& path) override {
        calls.push_back("open " + path);
        if (buses.count(path) == 0) {
            return -1;
        }
        open_[nextFd_] = path;
        return nextFd_++;
    }

    int SetSlave(int fd, uint8_t address, bool force) override {
        calls.push_back(std::string(force ? "force " : "slave ") + std::to_string(fd) + " " + std::to_string(address));
        for (uint8_t busy : busyAddresses) {
            if (busy == address && (!force || forceRefused)) {
                return force ? EPERM : EBUSY;
            }
        }
        slave_[fd] = address;
        return open_.count(fd) > 0 ? 0 : EBADF;
    }

    ssize_t Write(int fd, const uint8_t* data, size_t size) override {
        calls.push_back("write " + std::to_string(fd) + " " + std::to_string(size));
        I2cTransport* bus = Bus(fd);
        if (bus == nullptr || !bus->Write(slave_[fd], data, size)) {
            return -failWith;
        }
        return static_cast<ssize_t>(size) - shortBy;
    }

    ssize_t Read(int fd, uint8_t* data, size_t size) override {
        calls.push_back("read " + std::to_string(fd) + " " + std::to_string(size));
        I2cTransport* bus = Bus(fd);
        if (bus == nullptr || !bus->Read(slave_[fd], data, size)) {
            return -failWith;
        }
        return static_cast<ssize_t>(size) - shortBy;
    }

    int Combined(int fd, I2cMessage* messages, size_t count) override {
        calls.push_back("rdwr " + std::to_string(fd) + " " + std::to_string(count));
        I2cTransport* bus = Bus(fd);
        return bus != nullptr && bus->Transfer(messages, count) ? 0 : failWith;
    }

    std::optional<std::string> ReadSysText(const std::string& path) override {
        const auto it = sys.find(path);
        return it == sys.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

    void Close(int fd) override {
        calls.push_back("close " + std::to_string(fd));
        open_.erase(fd);
    }

    size_t OpenCount() const { return open_.size(); }

  private:
    I2cTransport* Bus(int fd) {
        const auto it = open_.find(fd);
        return it == open_.end() ? nullptr : buses[it->second].get();
    }

    std::map<int, std::string> open_;
    std::map<int, uint8_t> slave_;
    int nextFd_ = 3;
};

}  // namespace brevlink::testing
