#include "bus/monitor_table.h"
#include "report/html_escape.h"
#include "report/html_templates.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

// Label 18 characters wide, filled with dots; the value follows directly.
void TextLine(const char* label, std::string_view value) {
    ReportWriteLine("%s%s", label, EscapeHtml(value).c_str());
}

void HexLine(const char* label, uint32_t value) {
    ReportWriteLine("%s0x%x", label, value);
}

}  // namespace

void WriteHardwareSection() {
    const bus::MonitorRecord& m = bus::CurrentMonitorRecord();

    ReportWrite("%s", html::kHardwareTitle);
    ReportWriteLine("Monitor <br>");
    TextLine("Manufacturer......", m.manufacturer.View());
    TextLine("Model.............", m.model.View());
    TextLine("Serial number.....", m.serialNumber.View());
    TextLine("Manufactured......", m.manufactureDate.View());
    TextLine("Type..............", m.signalType.View());
    TextLine("Screen size.......", m.screenSize.View());
    TextLine("Gamma.............", m.gamma.View());
    TextLine("EDID version......", m.edidVersion.View());
    ReportWriteLine("------------------<br>");
    ReportWriteLine("DDC/CI support....%d", m.ddcciSupport);
    ReportWriteLine("------------------<br>");
    TextLine("MCCS version......", m.mccsVersion.View());
    TextLine("Display type......", m.displayType.View());
    ReportWriteLine("Driver name.......%s<br>", EscapeHtml(m.driverName.View()).c_str());

    ReportWriteLine("Graphics card <br>");
    TextLine("Vendor............", m.cardVendor.View());
    HexLine("Chip family.......", m.chipId);
    HexLine("Bus location......", m.busLocation);
    HexLine("PCI ID............", m.pciId);
    HexLine("PCI SubID.........", m.pciSubId);
    HexLine("BAR...............", m.bar);
    HexLine("IO base...........", m.ioBase);
    HexLine("Flags.............", m.cardFlags);
    HexLine("I2C port..........", m.i2cPort);
    ReportWriteLine("I2C timing........%f", static_cast<double>(m.i2cTiming));
    ReportWriteLine("I2C support.......%s<br>", EscapeHtml(m.i2cSupport.View()).c_str());

    ReportWriteLine("Windows devices <br>");
    TextLine("Device name.......", m.deviceName.View());
    TextLine("Device string.....", m.deviceString.View());
    TextLine("DeviceID..........", m.deviceId.View());
    TextLine("Monitor device....", m.monitorDevice.View());
    TextLine("Monitor string....", m.monitorString.View());
    HexLine("Monitor handle....", m.monitorHandle);

    ReportWrite("%s", html::kParagraphEnd);
}

}  // namespace kestrova::report
