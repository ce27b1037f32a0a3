// The Linux calls behind /dev/i2c-N, as a seam: the real ones, or a fake in tests.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

class I2cDevOps {
  public:
    virtual ~I2cDevOps() = default;
    // The names in /dev ("i2c-3", ...); other names may be among them.
    virtual std::vector<std::string> ListDevNames() = 0;
    // A file descriptor opened read-write, or -1.
    virtual int Open(const std::string& path) = 0;
    // ioctl(I2C_SLAVE), or I2C_SLAVE_FORCE with `force`: the 7-bit address of the following reads
    // and writes. 0, or the errno (EBUSY: a kernel driver holds the address).
    virtual int SetSlave(int fd, uint8_t address, bool force) = 0;
    // The bytes done, or -errno.
    virtual ssize_t Write(int fd, const uint8_t* data, size_t size) = 0;
    virtual ssize_t Read(int fd, uint8_t* data, size_t size) = 0;
    // ioctl(I2C_RDWR): the messages as one transaction. 0, or the errno.
    virtual int Combined(int fd, I2cMessage* messages, size_t count) = 0;
    virtual void Close(int fd) = 0;
    // A line of sysfs text (trailing newline dropped), or nothing when the file does not exist.
    virtual std::optional<std::string> ReadSysText(const std::string& path) = 0;
};

// The process's real /dev and i2c-dev.
I2cDevOps& SystemI2cDevOps();

}  // namespace brevlink
