#include "brevlink/transport/i2c_dev_transport.h"

#include <cerrno>
#include <cstdio>

namespace brevlink {

BusFailure BusFailureOf(int error) {
    switch (error) {
        case 0:
            return BusFailure::kNone;
        case ENXIO:
        case EREMOTEIO:
            return BusFailure::kNoAcknowledge;
        case EBUSY:
            return BusFailure::kBusy;
        case EIO:
        case ETIMEDOUT:
        case EAGAIN:
            return BusFailure::kBusFault;
        default:
            return BusFailure::kUnknown;
    }
}

I2cDevTransport::~I2cDevTransport() {
    ops_.Close(fd_);
}

std::unique_ptr<I2cDevTransport> I2cDevTransport::Open(I2cDevOps& ops, const std::string& path, BusLog log) {
    const int fd = ops.Open(path);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<I2cDevTransport>(ops, fd, path, std::move(log));
}

void I2cDevTransport::Note(const std::string& text) {
    if (log_) {
        log_(path_ + ": " + text);
    }
}

I2cDevTransport::Route I2cDevTransport::Select(uint8_t address) {
    if (address < 128 && (combinedOnly_[address / 32] & (1u << (address % 32))) != 0) {
        return Route::kCombined;
    }
    if (slave_ == address) {
        return Route::kFile;
    }
    int error = ops_.SetSlave(fd_, address, false);
    if (error == EBUSY) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", address);
        error = ops_.SetSlave(fd_, address, true);
        if (error == 0) {
            Note(std::string("address ") + hex + " is held by a kernel driver; reached with I2C_SLAVE_FORCE");
        } else if (address < 128) {
            Note(std::string("address ") + hex +
                 " is held by a kernel driver and I2C_SLAVE_FORCE is refused; reached with I2C_RDWR");
            combinedOnly_[address / 32] |= 1u << (address % 32);
            slave_ = -1;
            return Route::kCombined;
        }
    }
    if (error != 0) {
        slave_ = -1;
        failure_ = BusFailureOf(error);
        return Route::kFailed;
    }
    slave_ = address;
    return Route::kFile;
}

bool I2cDevTransport::Single(uint8_t address, bool read, uint8_t* data, size_t size) {
    if (data == nullptr || size == 0) {
        return false;
    }
    failure_ = BusFailure::kNone;
    switch (Select(address)) {
        case Route::kFailed:
            return false;
        case Route::kCombined: {
            I2cMessage message{address, read, data, size};
            const int error = ops_.Combined(fd_, &message, 1);
            failure_ = BusFailureOf(error);
            return error == 0;
        }
        case Route::kFile:
            break;
    }
    const ssize_t done = read ? ops_.Read(fd_, data, size) : ops_.Write(fd_, data, size);
    if (done == static_cast<ssize_t>(size)) {
        return true;
    }
    // A short transfer is a failed transaction: the device stopped acknowledging.
    failure_ = done < 0 ? BusFailureOf(static_cast<int>(-done)) : BusFailure::kNoAcknowledge;
    return false;
}

bool I2cDevTransport::Write(uint8_t address, const uint8_t* data, size_t size) {
    return Single(address, false, const_cast<uint8_t*>(data), size);
}

bool I2cDevTransport::Read(uint8_t address, uint8_t* data, size_t size) {
    return Single(address, true, data, size);
}

bool I2cDevTransport::Transfer(I2cMessage* messages, size_t count) {
    if (messages == nullptr || count == 0) {
        return false;
    }
    // I2C_RDWR names the address in every message and ignores the I2C_SLAVE binding, so a kernel
    // driver's address is reached as well.
    const int error = ops_.Combined(fd_, messages, count);
    failure_ = BusFailureOf(error);
    return error == 0;
}

}  // namespace brevlink
