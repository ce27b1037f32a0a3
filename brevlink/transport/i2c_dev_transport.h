// A display bus on Linux: one /dev/i2c-N file, addressed with I2C_SLAVE, plain write and read.
#pragma once

#include <memory>
#include <string>

#include "brevlink/transport/i2c_dev_ops.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

class I2cDevTransport : public I2cTransport {
  public:
    // Owns `fd` and closes it through `ops`.
    I2cDevTransport(I2cDevOps& ops, int fd) : ops_(ops), fd_(fd) {}
    ~I2cDevTransport() override;
    I2cDevTransport(const I2cDevTransport&) = delete;
    I2cDevTransport& operator=(const I2cDevTransport&) = delete;

    // Null when the file cannot be opened.
    static std::unique_ptr<I2cDevTransport> Open(I2cDevOps& ops, const std::string& path);

    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    bool NeedsBusWaits() const override { return true; }

  private:
    bool Select(uint8_t address);

    I2cDevOps& ops_;
    int fd_;
    int slave_ = -1;  // the address I2C_SLAVE last set, -1 before the first
};

}  // namespace brevlink
