// The Linux calls behind /dev/i2c-N, as a seam: the real ones, or a fake in tests.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brevlink {

class I2cDevOps {
  public:
    virtual ~I2cDevOps() = default;
    // The names in /dev ("i2c-3", ...); other names may be among them.
    virtual std::vector<std::string> ListDevNames() = 0;
    // A file descriptor opened read-write, or -1.
    virtual int Open(const std::string& path) = 0;
    // ioctl(I2C_SLAVE): the 7-bit address of the following reads and writes.
    virtual bool SetSlave(int fd, uint8_t address) = 0;
    virtual ssize_t Write(int fd, const uint8_t* data, size_t size) = 0;
    virtual ssize_t Read(int fd, uint8_t* data, size_t size) = 0;
    virtual void Close(int fd) = 0;
};

// The process's real /dev and i2c-dev.
I2cDevOps& SystemI2cDevOps();

}  // namespace brevlink
