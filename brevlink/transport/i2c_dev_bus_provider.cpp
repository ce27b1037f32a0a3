#include "brevlink/transport/i2c_dev_bus_provider.h"

#include <cstdlib>

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

bool IsDisplayAdapter(I2cDevOps& ops, int bus) {
    const std::string base = "/sys/bus/i2c/devices/i2c-" + std::to_string(bus);
    if (const std::optional<std::string> name = ops.ReadSysText(base + "/name")) {
        if (name->rfind("SMBus", 0) == 0 || name->find("SMU") != std::string::npos) {
            return false;
        }
    }
    const std::optional<std::string> pciClass = ops.ReadSysText(base + "/device/class");
    if (!pciClass) {
        return true;  // not a PCI adapter's own bus (a DP AUX channel, a connector): no verdict
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(pciClass->c_str(), &end, 16);
    if (end == pciClass->c_str()) {
        return true;
    }
    const unsigned long baseClass = value >> 16;
    return baseClass == 0x03 || baseClass == 0x0A;  // display controller, docking station
}

std::vector<int> I2cDevBusProvider::ListBuses() {
    std::vector<int> buses;
    for (const std::string& name : ops_.ListDevNames()) {
        int bus = 0;
        if (ParseI2cDevName(name, bus) && IsDisplayAdapter(ops_, bus)) {
            buses.push_back(bus);
        }
    }
    return buses;
}

std::unique_ptr<I2cTransport> I2cDevBusProvider::OpenBus(int bus) {
    return I2cDevTransport::Open(ops_, "/dev/i2c-" + std::to_string(bus), log_);
}

}  // namespace brevlink
