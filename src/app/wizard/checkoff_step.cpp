#include "app/wizard/checkoff_step.h"

#include "app/operator_output.h"
#include "app/run_settings.h"
#include "bus/caps_summary.h"
#include "bus/monitor_table.h"

namespace kestrova::app::wizard {

void FillCheckoffDefaults() {
    CheckoffInfo.checkoffUser = "Velmora Displays";
    CheckoffInfo.checkoffFirmwareVersion = bus::CurrentMonitorRecord().firmwareVersion.View();
    CheckoffInfo.checkoffRevision = "1.0";
    CheckoffInfo.checkoffFirmwareDate = "12/18/2007";
    CheckoffInfo.checkoffLockingCode = "FF";
}

bool RunCheckoffInformation(CheckoffDialog& dialog) {
    LogLine("Get information");
    CheckoffConfirmed = false;
    LogLine("...enter your information and then press 'OK'");

    const CheckoffFields shown{CheckoffInfo.checkoffUser.Str(), CheckoffInfo.checkoffFirmwareVersion.Str(),
                               CheckoffInfo.checkoffRevision.Str(), CheckoffInfo.checkoffFirmwareDate.Str(),
                               CheckoffInfo.checkoffLockingCode.Str()};
    if (std::optional<CheckoffFields> answer = dialog.Edit(shown, !UsingProject)) {
        CheckoffInfo.checkoffUser = answer->user;
        CheckoffInfo.checkoffFirmwareVersion = answer->firmwareVersion;
        CheckoffInfo.checkoffRevision = answer->revision;
        CheckoffInfo.checkoffFirmwareDate = answer->firmwareDate;
        CheckoffInfo.checkoffLockingCode = answer->lockingCode;
        CheckoffConfirmed = true;
        LogLine("User is '%s'", CheckoffInfo.checkoffUser.CStr());
        LogLine("Firmware version is '%s'", CheckoffInfo.checkoffFirmwareVersion.CStr());
        LogLine("Revision number is '%s'", CheckoffInfo.checkoffRevision.CStr());
        LogLine("Firmware date is '%s'", CheckoffInfo.checkoffFirmwareDate.CStr());
        LogLine("Locking code is '%s'", CheckoffInfo.checkoffLockingCode.CStr());
    }
    if (CheckoffConfirmed) {
        bus::ShowCapsSummary();
    }
    return CheckoffConfirmed;
}

}  // namespace kestrova::app::wizard
