#include <gtest/gtest.h>

#include <string>

#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

using HardwareSectionTest = testing::ReportFixture;

TEST_F(HardwareSectionTest, FactsOfTheCurrentMonitorLineByLine) {
    bus::currentMonitor = 1;
    bus::MonitorRecord& m = bus::Monitors()[1];
    m.index = 2;
    m.manufacturer = "Velmora";
    m.model = "VX2750";
    m.serialNumber = "SN0042";
    m.manufactureDate = "Week 12, 2026";
    m.signalType = "Digital";
    m.screenSize = "60 x 34 cm";
    m.gamma = "2.20";
    m.edidVersion = "1.4";
    m.ddcciSupport = -3;
    m.mccsVersion = "2.2";
    m.displayType = "LCD";
    m.driverName = "VMD API";
    m.cardVendor = "Acme Graphics";
    m.chipId = 0x1A2B;
    m.busLocation = 0x100;
    m.pciId = 0x10DE1234;
    m.pciSubId = 0xFFFFFFFF;
    m.bar = 0;
    m.ioBase = 0xE000;
    m.cardFlags = 0x5;
    m.i2cPort = 3;
    m.i2cTiming = 12.5f;
    m.i2cSupport = "Method 3 Support: NV API";
    m.deviceName = "\\\\.\\DISPLAY1";
    m.deviceString = "Acme Graphics 9000";
    m.deviceId = "PCI\\VEN_10DE&DEV_1234";
    m.monitorDevice = "\\\\.\\DISPLAY1\\Monitor0";
    m.monitorString = "Generic PnP Monitor";
    m.monitorHandle = 0x10001;

    WriteHardwareSection();

    const std::string expected = std::string(testing::expected::kHwTitle) +
                                 "Monitor <br><BR>"
                                 "Manufacturer......Velmora<BR>"
                                 "Model.............VX2750<BR>"
                                 "Serial number.....SN0042<BR>"
                                 "Manufactured......Week 12, 2026<BR>"
                                 "Type..............Digital<BR>"
                                 "Screen size.......60 x 34 cm<BR>"
                                 "Gamma.............2.20<BR>"
                                 "EDID version......1.4<BR>"
                                 "------------------<br><BR>"
                                 "DDC/CI support....-3<BR>"
                                 "------------------<br><BR>"
                                 "MCCS version......2.2<BR>"
                                 "Display type......LCD<BR>"
                                 "Driver name.......VMD API<br><BR>"
                                 "Graphics card <br><BR>"
                                 "Vendor............Acme Graphics<BR>"
                                 "Chip family.......0x1a2b<BR>"
                                 "Bus location......0x100<BR>"
                                 "PCI ID............0x10de1234<BR>"
                                 "PCI SubID.........0xffffffff<BR>"
                                 "BAR...............0x0<BR>"
                                 "IO base...........0xe000<BR>"
                                 "Flags.............0x5<BR>"
                                 "I2C port..........0x3<BR>"
                                 "I2C timing........12.500000<BR>"
                                 "I2C support.......Method 3 Support: NV API<br><BR>"
                                 "Windows devices <br><BR>"
                                 "Device name.......\\\\.\\DISPLAY1<BR>"
                                 "Device string.....Acme Graphics 9000<BR>"
                                 "DeviceID..........PCI\\VEN_10DE&amp;DEV_1234<BR>"
                                 "Monitor device....\\\\.\\DISPLAY1\\Monitor0<BR>"
                                 "Monitor string....Generic PnP Monitor<BR>"
                                 "Monitor handle....0x10001<BR>"
                                 "</p>";
    EXPECT_EQ(Body(), expected);
}

TEST_F(HardwareSectionTest, AnEmptyRecordStillWritesEveryLabel) {
    WriteHardwareSection();
    const std::string body = Body();
    EXPECT_NE(body.find("Manufacturer......<BR>Model.............<BR>"), std::string::npos);
    EXPECT_NE(body.find("I2C timing........0.000000<BR>"), std::string::npos);
    EXPECT_NE(body.find("Monitor handle....0x0<BR></p>"), std::string::npos);
}

}  // namespace
}  // namespace kestrova::report
