#include "app/wizard/checkoff_step.h"

#include "bus/caps_summary.h"
#include "bus/monitor_table.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"

namespace kestrova::app::wizard {

void FillCheckoffDefaults() {
    op::CheckoffInfo.checkoffUser = "Velmora Displays";
    op::CheckoffInfo.checkoffFirmwareVersion = bus::CurrentMonitorRecord().firmwareVersion.View();
    op::CheckoffInfo.checkoffRevision = "1.0";
    op::CheckoffInfo.checkoffFirmwareDate = "12/18/2007";
    op::CheckoffInfo.checkoffLockingCode = "FF";
}

bool RunCheckoffInformation(CheckoffDialog& dialog) {
    op::LogLine("Get information");
    op::CheckoffConfirmed = false;
    op::LogLine("...enter your information and then press 'OK'");

    const CheckoffFields shown{op::CheckoffInfo.checkoffUser.Str(), op::CheckoffInfo.checkoffFirmwareVersion.Str(),
                               op::CheckoffInfo.checkoffRevision.Str(), op::CheckoffInfo.checkoffFirmwareDate.Str(),
                               op::CheckoffInfo.checkoffLockingCode.Str()};
    if (std::optional<CheckoffFields> answer = dialog.Edit(shown, !op::UsingProject)) {
        op::CheckoffInfo.checkoffUser = answer->user;
        op::CheckoffInfo.checkoffFirmwareVersion = answer->firmwareVersion;
        op::CheckoffInfo.checkoffRevision = answer->revision;
        op::CheckoffInfo.checkoffFirmwareDate = answer->firmwareDate;
        op::CheckoffInfo.checkoffLockingCode = answer->lockingCode;
        op::CheckoffConfirmed = true;
        op::LogLine("User is '%s'", op::CheckoffInfo.checkoffUser.CStr());
        op::LogLine("Firmware version is '%s'", op::CheckoffInfo.checkoffFirmwareVersion.CStr());
        op::LogLine("Revision number is '%s'", op::CheckoffInfo.checkoffRevision.CStr());
        op::LogLine("Firmware date is '%s'", op::CheckoffInfo.checkoffFirmwareDate.CStr());
        op::LogLine("Locking code is '%s'", op::CheckoffInfo.checkoffLockingCode.CStr());
    }
    if (op::CheckoffConfirmed) {
        bus::ShowCapsSummary();
    }
    return op::CheckoffConfirmed;
}

}  // namespace kestrova::app::wizard
