// A display bus on Linux: one /dev/i2c-N file, addressed with I2C_SLAVE, plain write and read, and
// I2C_RDWR for combined transfers. An address a kernel driver holds (EBUSY) is taken with
// I2C_SLAVE_FORCE, or reached through I2C_RDWR where even that is refused.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "brevlink/transport/i2c_dev_ops.h"
#include "brevlink/transport/i2c_transport.h"

namespace brevlink {

using BusLog = std::function<void(const std::string&)>;

// What an errno of i2c-dev means for the caller.
BusFailure BusFailureOf(int error);

class I2cDevTransport : public I2cTransport {
  public:
    // Owns `fd` and closes it through `ops`. `log` hears of addresses held by kernel drivers.
    I2cDevTransport(I2cDevOps& ops, int fd, std::string path = {}, BusLog log = {})
        : ops_(ops), fd_(fd), path_(std::move(path)), log_(std::move(log)) {}
    ~I2cDevTransport() override;
    I2cDevTransport(const I2cDevTransport&) = delete;
    I2cDevTransport& operator=(const I2cDevTransport&) = delete;

    // Null when the file cannot be opened.
    static std::unique_ptr<I2cDevTransport> Open(I2cDevOps& ops, const std::string& path, BusLog log = {});

    bool Write(uint8_t address, const uint8_t* data, size_t size) override;
    bool Read(uint8_t address, uint8_t* data, size_t size) override;
    bool Transfer(I2cMessage* messages, size_t count) override;
    bool NeedsBusWaits() const override { return true; }
    BusFailure LastFailure() const override { return failure_; }

  private:
    enum class Route { kFailed, kFile, kCombined };
    Route Select(uint8_t address);
    bool Single(uint8_t address, bool read, uint8_t* data, size_t size);
    void Note(const std::string& text);

    I2cDevOps& ops_;
    int fd_;
    std::string path_;
    BusLog log_;
    int slave_ = -1;                 // the address I2C_SLAVE last set, -1 before the first
    uint32_t combinedOnly_[4] = {};  // addresses refused even to I2C_SLAVE_FORCE: I2C_RDWR only
    BusFailure failure_ = BusFailure::kNone;
};

}  // namespace brevlink
