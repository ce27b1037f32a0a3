#include "app/wizard/wizard.h"

#include "bus/bus_startup.h"
#include "bus/monitor_table.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "operator/operator_output.h"
#include "operator/run_settings.h"
#include "project/project_file.h"
#include "project/project_open_request.h"
#include "project/project_run_selection.h"

namespace kestrova::app::wizard {

namespace {

constexpr char kSelectMonitorPrompt[] = "2. Monitor selection - Select the monitor to test and press 'Select'.";
constexpr char kReadyToTest[] = "5. Ready to start the test.";

std::string FileNameOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

Wizard::Wizard(CheckoffDialog& checkoff, SelectionDialog& selection, TestRunner& runner, std::function<bool()> startBus)
    : checkoff_(checkoff), selection_(selection), runner_(runner), startBus_(std::move(startBus)) {
    if (!startBus_) {
        startBus_ = [] { return bus::StartBus(); };
    }
}

bool Wizard::StartUp(op::Presenter& presenter,
                     op::ModeObserver* modeObserver,
                     const std::function<void()>& shownInFirstStep) {
    // The long-lived objects exist before anything is shown.
    bus::Monitors();
    catalogue::Catalogue();
    catalogue::VcpGroups();
    op::InstallPresenter(&presenter);
    op::InstallModeObserver(modeObserver);
    op::ApplyStartUpMode();
    op::UpdateModeCaption();
    controls_ = WizardControls{};
    projectName_ = kNoProjectName;
    Enter(kStepIdle);
    exitPending_ = false;
    if (shownInFirstStep) {
        shownInFirstStep();
    }

    if (!startBus_()) {
        return false;
    }
    monitors_.clear();
    for (int i = 0; i < bus::Monitors().UsedCount(); ++i) {
        monitors_.push_back(bus::MonitorListText(bus::Monitors()[i]));
    }
    monitorSelection_ = monitors_.empty() ? -1 : 0;
    bus::currentMonitor = 0;
    FillCheckoffDefaults();
    op::LogLine("READY");
    return true;
}

void Wizard::Enter(int step) {
    step_ = step;
    ApplyWizardStep(step, controls_);
}

void Wizard::Start() {
    if (!controls_.start) {
        return;
    }
    op::LogLine("Start");
    Enter(kStepChooseProject);
    op::LogBlankLine();
    op::LogLine("1. Select Project - Select a project or No project.");
}

void Wizard::ChooseProject() {
    if (!controls_.chooseProject) {
        return;
    }
    op::ProjectPath.Clear();
    const std::optional<std::string> path =
        op::ShowOpenFileDialog(project::ProjectOpenRequest(op::kProjectPathCapacity - 1));
    if (!path) {
        return;
    }
    op::ProjectPath = *path;
    op::ProjectTitle = FileNameOf(*path);
    projectName_ = op::ProjectTitle.Str();
    op::UsingProject = true;
    Enter(kStepSelectMonitor);
    op::LogLine("Using project  '%s'", op::ProjectPath.CStr());
    op::LogBlankLine();
    op::LogLine("%s", kSelectMonitorPrompt);
}

void Wizard::NoProject() {
    if (!controls_.noProject) {
        return;
    }
    projectName_ = kNoProjectName;
    op::UsingProject = false;
    Enter(kStepSelectMonitor);
    op::LogLine("No Project used for this test, using Caps string from monitor.");
    op::LogBlankLine();
    op::LogLine("%s", kSelectMonitorPrompt);
}

void Wizard::ChooseMonitorEntry(int position) {
    if (controls_.monitorList && position >= 0 && position < static_cast<int>(monitors_.size())) {
        monitorSelection_ = position;
    }
}

void Wizard::Select() {
    if (!controls_.select || RefusedWhileRunEnds()) {
        return;
    }
    // Monitors are enumerated once, at start-up: with none attached there is nothing to test until
    // the program starts again.
    if (monitorSelection_ < 0 || monitorSelection_ >= static_cast<int>(monitors_.size())) {
        op::ShowErrorBox(kNoMonitorText);
        return;
    }
    bus::currentMonitor = monitorSelection_;
    op::LogLine("Monitor selected is '%s'", bus::MonitorListText(bus::CurrentMonitorRecord()).c_str());
    Enter(kStepGetInfo);
    op::LogBlankLine();
    op::LogLine("3. Get information - Press 'Get Info' to enter your information.");
}

void Wizard::GetInfo() {
    if (!controls_.getInfo || RefusedWhileRunEnds() || !RunCheckoffInformation(checkoff_)) {
        return;
    }
    if (op::UsingProject) {
        op::LogBlankLine();
        op::LogLine("4. Build VCP list - Skipped, using Project file.");
        op::LogBlankLine();
        // A refused project must not leave Test enabled with ticks it never chose.
        if (!project::LoadProjectHeader() || !ApplyProjectSelection()) {
            op::LogLine("%s", kProjectRefusedHint);
            return;
        }
        op::LogLine("%s", kReadyToTest);
        Enter(kStepReadyToTest);
    } else {
        op::LogBlankLine();
        op::LogLine("4. Build VCP list - Press 'Get VCPs' to build the VCP list from caps.");
        Enter(kStepSelectVcps);
    }
}

bool Wizard::ApplyProjectSelection() {
    project::ProjectRecord record;
    const project::ProjectReadError error = project::ReadProjectFile(op::ProjectPath.Str(), record);
    if (error != project::ProjectReadError::kNone) {
        op::ShowErrorBox(project::ProjectReadErrorText(error));
        return false;
    }
    catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
    project::ApplyProjectToGroups(record, groups);
    ApplyPluginInclusion(project::PluginInclusionFromGroups(groups));
    return true;
}

void Wizard::SelectVcps() {
    if (!controls_.selectVcps || RefusedWhileRunEnds()) {
        return;
    }
    op::LogLine("Select VCPs and Plugins");
    op::SelectionConfirmed = false;
    op::LogLine("...select the VCPs and Plugins and then press 'OK'");
    RunVcpSelection(selection_);
    if (op::SelectionConfirmed) {
        Enter(kStepReadyToTest);
    }
    op::LogLine("%s", kReadyToTest);
}

void Wizard::Test() {
    if (!controls_.test) {
        return;
    }
    if (runner_.RunActive()) {
        op::ShowErrorBox(kRunStillEndingText);
        return;
    }
    Enter(kStepTesting);
    if (!runner_.StartRun()) {
        Enter(kStepReadyToTest);
    }
}

void Wizard::Reset() {
    if (!controls_.reset) {
        return;
    }
    op::LogLine("Reset");
    runner_.RequestReset();
    Enter(kStepIdle);
    controls_.start = true;
}

bool Wizard::RefusedWhileRunEnds() {
    if (!runner_.RunActive()) {
        return false;
    }
    op::ShowErrorBox(kRunStillStoppingText);
    return true;
}

bool Wizard::ChooseMode(int mode) {
    if (runner_.RunActive()) {
        return false;
    }
    return op::ChooseModeFromMenu(mode);
}

ExitDecision Wizard::RequestExit() {
    if (exitPending_) {
        return ExitDecision::kExitWhenRunEnds;
    }
    if (!runner_.RunActive()) {
        return ExitDecision::kExitNow;
    }
    if (op::ShowMessageBox(kExitCaption, kStopAndExitQuestion, op::MessageButtons::kYesNo,
                           op::MessageIcon::kQuestion) != op::MessageAnswer::kYes) {
        return ExitDecision::kStayOpen;
    }
    // The run saves its report (the engineer is still offered the save dialog) before it ends.
    runner_.RequestReset();
    exitPending_ = true;
    // It may have ended while the box was open.
    return runner_.RunActive() ? ExitDecision::kExitWhenRunEnds : ExitDecision::kExitNow;
}

bool Wizard::FinishEndedRun() {
    return !runner_.RunActive() && exitPending_;
}

WizardView Wizard::View() const {
    WizardView view;
    view.step = step_;
    view.controls = controls_;
    view.projectName = projectName_;
    view.monitors = monitors_;
    view.monitorSelection = monitorSelection_;
    view.settingsMenu = op::CurrentSettingsMenu();
    view.settingsMenu.greyed = view.settingsMenu.greyed || runner_.RunActive();
    view.modeCaption = op::ModeCaptionText();
    return view;
}

}  // namespace kestrova::app::wizard
