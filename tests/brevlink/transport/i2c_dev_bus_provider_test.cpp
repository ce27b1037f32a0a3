#include "brevlink/transport/i2c_dev_bus_provider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tests/brevlink/transport/fake_edid_device.h"
#include "tests/brevlink/transport/fake_i2c_dev_ops.h"

namespace brevlink {
namespace {

using testing::FakeEdidDevice;
using testing::FakeI2cDevOps;
using testing::GoodEdid;

TEST(I2cDevBusProviderTest, ParsesOnlyBusDeviceNames) {
    struct Case {
        const char* name;
        bool ok;
        int bus;
    };
    const Case cases[] = {
        {"i2c-0", true, 0},        {"i2c-12", true, 12}, {"i2c-999999", true, 999999},
        {"i2c-1234567", false, 0}, {"i2c-", false, 0},   {"i2c-1a", false, 0},
        {"i2c--1", false, 0},      {"i2c", false, 0},    {"tty0", false, 0},
        {"xi2c-1", false, 0},      {"", false, 0},
    };
    for (const Case& c : cases) {
        int bus = -1;
        EXPECT_EQ(ParseI2cDevName(c.name, bus), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(bus, c.bus) << c.name;
        }
    }
}

TEST(I2cDevBusProviderTest, EnumeratesTheDisplaysOfDevI2c) {
    std::vector<uint8_t> badHeader = GoodEdid();
    badHeader[0] = 0xFF;
    FakeI2cDevOps ops;
    ops.names = {".", "..", "tty0", "i2c-2", "i2c-0", "i2c-1", "i2c-3", "i2c-x"};
    ops.buses["/dev/i2c-0"] = std::make_unique<FakeEdidDevice>(std::vector<uint8_t>{});
    ops.buses["/dev/i2c-1"] = std::make_unique<FakeEdidDevice>(GoodEdid(1));
    ops.buses["/dev/i2c-2"] = std::make_unique<FakeEdidDevice>(badHeader);
    // i2c-3 is listed but cannot be opened (no permission).
    I2cDevBusProvider provider(ops);

    std::vector<int> listed = provider.ListBuses();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<int>{0, 1, 2, 3}));

    std::vector<DisplayBus> displays = EnumerateDisplays(provider);
    ASSERT_EQ(displays.size(), 1u);
    EXPECT_EQ(displays[0].bus, 1);
    EXPECT_TRUE(displays[0].edidChecksumOk);
    EXPECT_TRUE(displays[0].transport->NeedsBusWaits());
    // The rejected buses are closed again; the display's stays open for DDC/CI.
    EXPECT_EQ(ops.OpenCount(), 1u);
    EXPECT_NE(std::find(ops.calls.begin(), ops.calls.end(), "open /dev/i2c-3"), ops.calls.end());
    displays.clear();
    EXPECT_EQ(ops.OpenCount(), 0u);
}

TEST(I2cDevBusProviderTest, ProbesOnlyDisplayAndDockingAdapters) {
    struct Case {
        const char* name;  // sysfs name of the adapter; null: no such file
        const char* pciClass;
        bool probed;
    };
    const Case cases[] = {
        {"i915 gmbus dpc", "0x030000", true},
        {"NVIDIA i2c adapter 1 at 1:00.0", "0x030200", true},
        {"AUX B/DDI B/PHY B", nullptr, true},
        {nullptr, nullptr, true},
        {"Dock adapter", "0x0a0000", true},
        {"SMBus I801 adapter at f040", "0x0c0500", false},
        {"SMBus PIIX4 adapter port 0 at 0b00", nullptr, false},
        {"AMDGPU SMU 0", "0x030000", false},
        {"Synopsys DesignWare I2C adapter", "0x0c8000", false},
    };
    FakeI2cDevOps ops;
    std::vector<int> expected;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string base = "/sys/bus/i2c/devices/i2c-" + std::to_string(i);
        ops.names.push_back("i2c-" + std::to_string(i));
        ops.buses["/dev/i2c-" + std::to_string(i)] = std::make_unique<FakeEdidDevice>(GoodEdid());
        if (cases[i].name != nullptr) {
            ops.sys[base + "/name"] = cases[i].name;
        }
        if (cases[i].pciClass != nullptr) {
            ops.sys[base + "/device/class"] = cases[i].pciClass;
        }
        if (cases[i].probed) {
            expected.push_back(static_cast<int>(i));
        }
    }
    I2cDevBusProvider provider(ops);
    std::vector<int> probed;
    for (const DisplayBus& display : EnumerateDisplays(provider)) {
        probed.push_back(display.bus);
    }
    EXPECT_EQ(probed, expected);
    for (const std::string& call : ops.calls) {
        EXPECT_TRUE(call.rfind("open /dev/i2c-5", 0) != 0 && call.rfind("open /dev/i2c-7", 0) != 0) << call;
    }
}

}  // namespace
}  // namespace brevlink
