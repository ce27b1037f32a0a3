#include "brevlink/transport/i2c_dev_bus_provider.h"

#include "brevlink/transport/i2c_dev_transport.h"

namespace brevlink {

bool ParseI2cDevName(const std::string& name, int& bus) {
    constexpr char kPrefix[] = "i2c-";
    constexpr size_t kPrefixSize = sizeof kPrefix - 1;
    if (name.size() <= kPrefixSize || name.compare(0, kPrefixSize, kPrefix) != 0 || name.size() > kPrefixSize + 6) {
        return false;
    }
    int value = 0;
    for (size_t i = kPrefixSize; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return false;
        }
        value = value * 10 + (name[i] - '0');
    }
    bus = value;
    return true;
}

std::vector<int> I2cDevBusProvider::ListBuses() {
    std::vector<int> buses;
    for (const std::string& name : ops_.ListDevNames()) {
        int bus = 0;
        if (ParseI2cDevName(name, bus)) {
            buses.push_back(bus);
        }
    }
    return buses;
}

std::unique_ptr<I2cTransport> I2cDevBusProvider::OpenBus(int bus) {
    return I2cDevTransport::Open(ops_, "/dev/i2c-" + std::to_string(bus));
}

}  // namespace brevlink
