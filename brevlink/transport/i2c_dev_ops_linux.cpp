#include <dirent.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "brevlink/transport/i2c_dev_ops.h"

namespace brevlink {

namespace {

class SystemOps : public I2cDevOps {
  public:
    std::vector<std::string> ListDevNames() override {
        std::vector<std::string> names;
        DIR* dir = opendir("/dev");
        if (dir == nullptr) {
            return names;
        }
        while (const dirent* entry = readdir(dir)) {
            names.emplace_back(entry->d_name);
        }
        closedir(dir);
        return names;
    }

    int Open(const std::string& path) override { return open(path.c_str(), O_RDWR | O_CLOEXEC); }

    bool SetSlave(int fd, uint8_t address) override {
        return ioctl(fd, I2C_SLAVE, static_cast<unsigned long>(address)) >= 0;
    }

    ssize_t Write(int fd, const uint8_t* data, size_t size) override {
        ssize_t done;
        do {
            done = write(fd, data, size);
        } while (done < 0 && errno == EINTR);
        return done;
    }

    ssize_t Read(int fd, uint8_t* data, size_t size) override {
        ssize_t done;
        do {
            done = read(fd, data, size);
        } while (done < 0 && errno == EINTR);
        return done;
    }

    void Close(int fd) override { close(fd); }
};

}  // namespace

I2cDevOps& SystemI2cDevOps() {
    static SystemOps ops;
    return ops;
}

}  // namespace brevlink
