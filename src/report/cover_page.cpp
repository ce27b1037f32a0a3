#include <string>

#include "bus/monitor_table.h"
#include "operator/run_settings.h"
#include "platform/local_time.h"
#include "report/html_escape.h"
#include "report/report_writer.h"

namespace kestrova::report {

namespace {

constexpr char kTitleParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:36pt;color:BLACK;font-weight:700;'>";
constexpr char kLargeParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:18pt;color:BLACK;font-weight:600;'>";
constexpr char kPluginParagraph[] =
    "<center><p style='font-family: Garamond, Times New Roman; font-size:16pt;color:BLACK;font-weight:600;'>";
constexpr char kAddressParagraph[] =
    "<p style='font-family: Garamond, Times New Roman; font-size:12pt;color:BLACK;font-weight:700;' align='right'>";
constexpr char kNoticeParagraph[] =
    "<p style='font-family: Times New Roman; font-size:10pt;color:BLACK;font-weight:600;' align='left'>";
constexpr char kCenteredEnd[] = "</p></center>";

constexpr char kMakerName[] = "Velmora Displays Inc.";
constexpr char kMakerStreet[] = "2150 Orchard Ridge Parkway, Suite 400";
constexpr char kMakerCity[] = "San Jose, CA 95134";
constexpr char kMakerTelephone[] = "Tel: (408) 555-0172";
constexpr char kMakerFax[] = "Fax: (408) 555-0173";
constexpr char kProgramRevision[] = "4.0";
constexpr char kConfidentialityNotice[] =
    "CONFIDENTIAL: This check-off list and the test results it records are the property of Velmora Displays "
    "Inc. They are provided for the qualification of the monitor named above and may not be copied, disclosed "
    "or passed to any third party without the prior written consent of Velmora Displays Inc.";

const char* ModeText(int mode) {
    switch (mode) {
        case op::kAutomaticMode:
            return "Automatic";
        case op::kManualMode:
            return "Manual";
        default:
            return "?????";
    }
}

void AppendPlugins(std::string& cover) {
    const struct {
        bool included;
        const char* line;
    } plugins[] = {
        {op::IncludeAssetManagement, "Asset Management<BR>"},
        {op::IncludeAutoPivot, "Auto Pivot<BR>"},
        {op::IncludeZoningPip, "PiP/Zoning<BR>"},
        {op::IncludeTheftDeterrence, "Theft Deterrence<BR>"},
        {op::IncludeVistaCompliance, "Vista Compliance<BR>"},
    };
    bool any = false;
    for (const auto& plugin : plugins) {
        any = any || plugin.included;
    }
    if (!any) {
        return;
    }
    cover += kPluginParagraph;
    cover += "Plug-ins that are included:<BR>";
    for (const auto& plugin : plugins) {
        if (plugin.included) {
            cover += plugin.line;
        }
    }
    cover += kCenteredEnd;
}

}  // namespace

void WriteCoverPage() {
    const bus::MonitorRecord& monitor = bus::CurrentMonitorRecord();
    const platform::LocalDateTime now = platform::CurrentDateTimeSource().Now();
    std::string cover;

    cover += "&nbsp;&nbsp;";
    cover += kTitleParagraph;
    cover += "Required VCP Code<BR>Check-off List<BR>&nbsp;<BR>";
    cover += EscapeHtml(monitor.manufacturer.View()) + "<BR>";
    cover += EscapeHtml(monitor.model.View()) + "<BR>";
    cover += "FW: v" + EscapeHtml(op::CheckoffInfo.checkoffFirmwareVersion.View()) + "     ";
    cover += EscapeHtml(op::CheckoffInfo.checkoffFirmwareDate.View()) + "<BR>";
    cover += kCenteredEnd;

    cover += kLargeParagraph;
    cover += "Tested: " + now.time + " " + now.longDate;
    cover += kCenteredEnd;

    if (op::UsingProject) {
        cover += kLargeParagraph;
        cover += "Project: " + EscapeHtml(op::ProjectTitle.View());
        cover += kCenteredEnd;
    }

    cover += kLargeParagraph;
    cover += ModeText(op::TestMode.load());
    cover += op::FullRangeTesting.load() ? " - Robust     " : " - Standard     ";
    cover += EscapeHtml(monitor.signalType.View());
    cover += kCenteredEnd;

    AppendPlugins(cover);

    cover += kAddressParagraph;
    for (const char* line : {kMakerName, kMakerStreet, kMakerCity, kMakerTelephone, kMakerFax, kMakerName}) {
        cover += line;
        cover += "<BR>";
    }
    cover += std::string("Rev ") + kProgramRevision + "<BR>";
    cover += "</p>";

    cover += "&nbsp;&nbsp;<hr>";
    cover += kNoticeParagraph;
    cover += kConfidentialityNotice;
    cover += "</p><hr><BR>&nbsp;&nbsp;";

    ReportCover.Assign(cover);
}

}  // namespace kestrova::report
