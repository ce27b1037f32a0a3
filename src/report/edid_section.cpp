#include "bus/monitor_table.h"
#include "report/html_escape.h"
#include "report/html_templates.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

constexpr int kLabelWidth = 300;
constexpr int kValueWidth = 260;

void Row(const char* label, std::string_view value) {
    ReportWrite("%s", html::kRow);
    ReportWrite(html::kPair, kLabelWidth, label, kValueWidth, EscapeHtml(value).c_str());
    ReportWrite("%s", html::kRowEnd);
}

}  // namespace

void WriteEdidSection() {
    const bus::MonitorRecord& m = bus::CurrentMonitorRecord();

    ReportWrite("%s", html::kSpace);
    ReportWrite("%s", html::kEdidTitle);
    ReportWrite("%s", html::kTable2);
    ReportWrite("%s", html::kHeadBig);
    ReportWrite("%s", html::kEdidCaption);
    ReportWrite("%s", html::kRowEnd);
    ReportWrite("%s", html::kHeadSmall);
    ReportWrite("%s", html::kEdidHeadDescription);
    ReportWrite("%s", html::kEdidHeadValue);
    ReportWrite("%s", html::kRowEnd);

    Row("Display Manufacturer", m.manufacturer.View());
    Row("Display Model", m.model.View());
    Row("Serial Number", m.serialNumber.View());
    Row("Plug-n-play ID", m.pnpId.View());
    Row("Manufacture Date", m.manufactureDate.View());
    Row("Type: Analog/Digital", m.signalType.View());
    Row("Recommended Timing", m.timingRecommended.View());
    Row("Screen Size", m.screenSize.View());
    Row("Display Gamma", m.gamma.View());
    Row("Red chroma", m.redChroma.View());
    Row("Green chroma", m.greenChroma.View());
    Row("Blue chroma", m.blueChroma.View());
    Row("White point", m.whitePoint.View());
    Row("EDID version", m.edidVersion.View());
    Row("MCCS Version", m.mccsVersion.View());
    Row("Display Type", m.displayType.View());
    Row("Driver Name", m.driverName.View());
    Row("VCP version", m.vcpVersion.View());
    Row("Controller", m.controller.View());
    Row("Firmware Version", m.firmwareVersion.View());
    Row("I2C Support", m.i2cSupport.View());

    ReportWrite("%s", html::kTableEnd);
    ReportWriteLine("%s", html::kSpace);
    ReportWriteLine("%s", html::kSpaceNewline);
}

}  // namespace kestrova::report
