// Wizard step 3: the check-off information. The front shows the five fields (a dialog in the
// window, prompts or flags in the terminal); what the answers do is decided here.
#pragma once

#include <optional>
#include <string>

namespace kestrova::app::wizard {

struct CheckoffFields {
    std::string user;
    std::string firmwareVersion;
    std::string revision;
    std::string firmwareDate;
    std::string lockingCode;
};

class CheckoffDialog {
  public:
    virtual ~CheckoffDialog() = default;
    // Shows `fields` for editing; with a project in use the locking code is hidden but still
    // handed back. The fields as left on OK, nullopt on Cancel.
    virtual std::optional<CheckoffFields> Edit(const CheckoffFields& fields, bool showLockingCode) = 0;
};

// The start-up defaults; the firmware version comes from the monitor at currentMonitor.
void FillCheckoffDefaults();

// Logs its introduction, asks the dialog, stores and logs the answers cut to their capacities and
// summarises the current monitor's capabilities. Answers CheckoffConfirmed; Cancel keeps the texts.
bool RunCheckoffInformation(CheckoffDialog& dialog);

}  // namespace kestrova::app::wizard
