// The main window's children: created in the layout the engineer knows, in fixed pixels from the
// client size at creation, and rendered from the wizard model's view after every command.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/wizard/wizard.h"

namespace kestrova::app::win32 {

// Private messages of the main window.
// A log line from any thread: lParam is the NUL-terminated text, sent (never posted), so it lives
// through the call.
inline constexpr UINT kAppendLogLineMessage = WM_APP + 1;
// Posted by the test thread once its run has logged "Testing complete.".
inline constexpr UINT kTestRunEndedMessage = WM_APP + 2;
// The main window's timer that repaints the log list after a burst of lines.
inline constexpr UINT_PTR kLogRepaintTimer = 1;
inline constexpr UINT kLogRepaintDelayMs = 50;

struct MainWindowControls {
    HWND modeCaption = nullptr;
    HWND start = nullptr;
    HWND reset = nullptr;
    HWND chooseProject = nullptr;
    HWND projectName = nullptr;
    HWND noProject = nullptr;
    HWND monitorList = nullptr;
    HWND select = nullptr;
    HWND getInfo = nullptr;
    HWND selectVcps = nullptr;
    HWND test = nullptr;
    HWND logList = nullptr;
    HWND overallProgress = nullptr;
    HWND individualProgress = nullptr;
};

class MainWindowLayout {
  public:
    MainWindowLayout() = default;
    ~MainWindowLayout();
    MainWindowLayout(const MainWindowLayout&) = delete;
    MainWindowLayout& operator=(const MainWindowLayout&) = delete;

    // Creates every child of `window`; false when one could not be created.
    bool Create(HWND window, HINSTANCE instance);
    const MainWindowControls& Controls() const { return controls_; }

    // Enabled states, project name, monitor list, mode caption and the Settings menu.
    void Render(HWND window, const wizard::WizardView& view);

    // On the window thread: appends `line`, makes it the top visible line and widens the list's
    // horizontal extent so that the longest line can be scrolled to.
    // Repainting the list for every line would cost far more than adding it: the list repaints
    // once, kLogRepaintDelayMs after the first line of a burst (kLogRepaintTimer).
    void AppendLogLine(const char* line);
    void RepaintLog();

  private:
    HWND window_ = nullptr;
    MainWindowControls controls_;
    std::vector<std::string> shownMonitors_;
    HFONT font_ = nullptr;
    HDC measuringDc_ = nullptr;
    int widestLogLine_ = 0;
    bool logRepaintPending_ = false;
};

}  // namespace kestrova::app::win32
