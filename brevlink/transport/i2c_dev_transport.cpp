#include "brevlink/transport/i2c_dev_transport.h"

namespace brevlink {

I2cDevTransport::~I2cDevTransport() {
    ops_.Close(fd_);
}

std::unique_ptr<I2cDevTransport> I2cDevTransport::Open(I2cDevOps& ops, const std::string& path) {
    const int fd = ops.Open(path);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<I2cDevTransport>(ops, fd);
}

bool I2cDevTransport::Select(uint8_t address) {
    if (slave_ == address) {
        return true;
    }
    if (!ops_.SetSlave(fd_, address)) {
        slave_ = -1;
        return false;
    }
    slave_ = address;
    return true;
}

bool I2cDevTransport::Write(uint8_t address, const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0 || !Select(address)) {
        return false;
    }
    // A short transfer is a failed transaction: the device stopped acknowledging.
    return ops_.Write(fd_, data, size) == static_cast<ssize_t>(size);
}

bool I2cDevTransport::Read(uint8_t address, uint8_t* data, size_t size) {
    if (data == nullptr || size == 0 || !Select(address)) {
        return false;
    }
    return ops_.Read(fd_, data, size) == static_cast<ssize_t>(size);
}

}  // namespace brevlink
