// The main window's five-step wizard without the window: start-up, the commands of its buttons with
// their log lines, and the control states each step leaves. The Windows window and the console
// front render View() after every command and forward the engineer's clicks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/wizard/checkoff_step.h"
#include "app/wizard/selection_step.h"
#include "app/wizard/test_runner.h"
#include "app/wizard/wizard_controls.h"
#include "operator/mode_state.h"
#include "operator/presenter.h"

namespace kestrova::app::wizard {

inline constexpr char kNoProjectName[] = "none";
inline constexpr char kNoMonitorText[] =
    "No monitor was found when Kestrova started. Connect a monitor and start Kestrova again.";
inline constexpr char kRunStillEndingText[] =
    "The previous test is still stopping. Press 'Test' again once it has logged \"Testing complete.\"";
inline constexpr char kProjectRefusedHint[] = "Press 'Reset' to choose another project or No Project.";
// Select, Get Info and Select VCPs change the monitor, the capabilities marks, the check-off texts
// and the groups that a stopping run still reads.
inline constexpr char kRunStillStoppingText[] =
    "The previous test is still stopping. Wait until it has logged \"Testing complete.\", then press the button "
    "again.";
inline constexpr char kExitCaption[] = "Kestrova";
inline constexpr char kStopAndExitQuestion[] = "A test is running. Stop it and exit?";

// What closing the window (or File > Exit) does.
enum class ExitDecision {
    kExitNow,          // no run is going
    kExitWhenRunEnds,  // the engineer chose to stop the run; the front exits once it has ended
    kStayOpen,         // the engineer chose to keep the run going
};

// What a front shows: the controls' enabled states, the project name label, the monitor list, the
// Settings menu and the mode caption.
struct WizardView {
    int step = kStepIdle;
    WizardControls controls;
    std::string projectName = kNoProjectName;
    std::vector<std::string> monitors;
    int monitorSelection = -1;
    op::SettingsMenuState settingsMenu;
    std::string modeCaption;
};

class Wizard {
  public:
    // `startBus` loads the wrapper, prepares the bus and enumerates the monitors, or shows the
    // loading error and answers false (bus::StartBus unless a test gives another).
    Wizard(CheckoffDialog& checkoff,
           SelectionDialog& selection,
           TestRunner& runner,
           std::function<bool()> startBus = nullptr);

    // Installs the presenter (and the observer of the Settings menu and caption), creates the
    // catalogue and the monitor table, sets Manual and Standard, applies step 0, starts the bus,
    // fills the monitor list and the check-off defaults and logs "READY". False after the loading
    // error: the program is to end.
    // `shownInFirstStep` runs once step 0 is applied and before the library is looked for, so a
    // window can show itself in that step behind a loading error.
    bool StartUp(op::Presenter& presenter,
                 op::ModeObserver* modeObserver = nullptr,
                 const std::function<void()>& shownInFirstStep = nullptr);

    // The buttons. A command whose control is disabled does nothing, so a front that cannot grey
    // its controls (the terminal) is held to the same order.
    void Start();
    void ChooseProject();
    void NoProject();
    // The engineer picked an entry of the monitor list (not yet confirmed with Select).
    void ChooseMonitorEntry(int position);
    void Select();
    void GetInfo();
    void SelectVcps();
    void Test();
    void Reset();

    // The Settings menu's Automatic and Manual items: refused (false) while they are grey, which
    // they are after a project was loaded and while a run is going (a switch mid-run would mix the
    // two modes' behaviour in one report).
    bool ChooseMode(int mode);

    // Closing the window during a run asks the engineer; Yes raises the stop request and leaves the
    // exit pending until the run has ended. Asked again while pending, the answer stays.
    ExitDecision RequestExit();
    bool ExitPending() const { return exitPending_; }
    // The run has announced its end (the front's posted message): finishes it. True when the
    // front is now to exit.
    bool FinishEndedRun();

    int Step() const { return step_; }
    const WizardControls& Controls() const { return controls_; }
    WizardView View() const;

  private:
    void Enter(int step);
    // Shows the "still stopping" box and answers true while a stopped run has not ended.
    bool RefusedWhileRunEnds();
    bool ApplyProjectSelection();

    CheckoffDialog& checkoff_;
    SelectionDialog& selection_;
    TestRunner& runner_;
    std::function<bool()> startBus_;

    int step_ = kStepIdle;
    WizardControls controls_;
    std::string projectName_ = kNoProjectName;
    std::vector<std::string> monitors_;
    int monitorSelection_ = -1;
    bool exitPending_ = false;
};

}  // namespace kestrova::app::wizard
