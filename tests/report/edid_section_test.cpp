#include <gtest/gtest.h>

#include <string>

#include "report/report_writer.h"
#include "report_test_support.h"

namespace kestrova::report {
namespace {

using EdidSectionTest = testing::ReportFixture;
namespace expected = testing::expected;

std::string Row(const std::string& label, const std::string& value) {
    return std::string(expected::kRow) + "<td width=300>" + label + "</td><td width=260>" + value + "</td>" +
           expected::kRowEnd;
}

TEST_F(EdidSectionTest, TwentyOneRowsInOrder) {
    bus::MonitorRecord& m = Monitor();
    m.index = 1;
    m.manufacturer = "Velmora";
    m.model = "VX2750";
    m.serialNumber = "SN0042";
    m.pnpId = "VMD";
    m.manufactureDate = "Week 12, 2026";
    m.signalType = "Digital";
    m.timingRecommended = "2560x1440 @ 60 Hz";
    m.screenSize = "60 x 34 cm";
    m.gamma = "2.20";
    m.redChroma = "0.640, 0.330";
    m.greenChroma = "0.300, 0.600";
    m.blueChroma = "0.150, 0.060";
    m.whitePoint = "0.313, 0.329";
    m.edidVersion = "1.4";
    m.mccsVersion = "2.2";
    m.displayType = "LCD";
    m.driverName = "VMD API";
    m.vcpVersion = "2.2";
    m.controller = "Mstar <9>";
    m.firmwareVersion = "1.07";
    m.i2cSupport = "Vista I2C Support";

    WriteEdidSection();

    const std::string expectedBody =
        std::string(expected::kSpace) + expected::kEdidTitle + expected::kTable2 + expected::kHeadBig +
        expected::kEdidCaption + expected::kRowEnd + expected::kHeadSmall + expected::kEdidHeads1 +
        expected::kEdidHeads2 + expected::kRowEnd + Row("Display Manufacturer", "Velmora") +
        Row("Display Model", "VX2750") + Row("Serial Number", "SN0042") + Row("Plug-n-play ID", "VMD") +
        Row("Manufacture Date", "Week 12, 2026") + Row("Type: Analog/Digital", "Digital") +
        Row("Recommended Timing", "2560x1440 @ 60 Hz") + Row("Screen Size", "60 x 34 cm") +
        Row("Display Gamma", "2.20") + Row("Red chroma", "0.640, 0.330") + Row("Green chroma", "0.300, 0.600") +
        Row("Blue chroma", "0.150, 0.060") + Row("White point", "0.313, 0.329") + Row("EDID version", "1.4") +
        Row("MCCS Version", "2.2") + Row("Display Type", "LCD") + Row("Driver Name", "VMD API") +
        Row("VCP version", "2.2") + Row("Controller", "Mstar &lt;9&gt;") + Row("Firmware Version", "1.07") +
        Row("I2C Support", "Vista I2C Support") + "</table>&nbsp;<BR>&nbsp;\n<BR>";
    EXPECT_EQ(Body(), expectedBody);
}

}  // namespace
}  // namespace kestrova::report
