#include <dirent.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

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

    int SetSlave(int fd, uint8_t address, bool force) override {
        return ioctl(fd, force ? I2C_SLAVE_FORCE : I2C_SLAVE, static_cast<unsigned long>(address)) >= 0 ? 0 : errno;
    }

    ssize_t Write(int fd, const uint8_t* data, size_t size) override {
        ssize_t done;
        do {
            done = write(fd, data, size);
        } while (done < 0 && errno == EINTR);
        return done < 0 ? -errno : done;
    }

    ssize_t Read(int fd, uint8_t* data, size_t size) override {
        ssize_t done;
        do {
            done = read(fd, data, size);
        } while (done < 0 && errno == EINTR);
        return done < 0 ? -errno : done;
    }

    int Combined(int fd, I2cMessage* messages, size_t count) override {
        std::vector<i2c_msg> msgs(count);
        for (size_t i = 0; i < count; ++i) {
            msgs[i].addr = messages[i].address;
            msgs[i].flags = messages[i].read ? I2C_M_RD : 0;
            msgs[i].len = static_cast<__u16>(messages[i].size);
            msgs[i].buf = messages[i].data;
        }
        i2c_rdwr_ioctl_data request{msgs.data(), static_cast<__u32>(count)};
        int done;
        do {
            done = ioctl(fd, I2C_RDWR, &request);
        } while (done < 0 && errno == EINTR);
        if (done < 0) {
            return errno;
        }
        return done == static_cast<int>(count) ? 0 : EIO;
    }

    void Close(int fd) override { close(fd); }

    std::optional<std::string> ReadSysText(const std::string& path) override {
        std::ifstream file(path);
        if (!file) {
            return std::nullopt;
        }
        std::string line;
        std::getline(file, line);
        return line;
    }
};

}  // namespace

I2cDevOps& SystemI2cDevOps() {
    static SystemOps ops;
    return ops;
}

}  // namespace brevlink
