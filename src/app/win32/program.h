// Kestrova.exe as one object: the window class, the start-up sequence, the main window's messages
// and the message loop. The window renders the wizard model and forwards every click to it; the
// test thread reaches it only through the presenter's synchronous messages and modal dialogs, and
// its end through a posted message.
#pragma once

#include <windows.h>

#include <functional>

#include "app/win32/dialogs.h"
#include "app/win32/main_window.h"
#include "app/win32/window_presenter.h"
#include "app/wizard/engine_test_runner.h"
#include "app/wizard/wizard.h"

namespace kestrova::app::win32 {

class Program {
  public:
    // `startBus` loads the wrapper and enumerates the monitors (the shell's driver directory unless
    // a test points elsewhere).
    explicit Program(HINSTANCE instance, std::function<bool()> startBus = nullptr);
    // A run still going is asked to stop and waited for, messages pumped meanwhile.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Registers the class, creates and shows the main window in its first step, loads the wrapper
    // and fills the monitor list. False when the window could not be created or the wrapper not be
    // loaded (after its error box): the program is to end.
    bool StartUp(int showCommand);
    // Until the main window is destroyed; answers the quit code.
    int RunMessageLoop();

    HWND Window() const { return window_; }
    const MainWindowControls& Controls() const { return layout_.Controls(); }
    wizard::Wizard& Model() { return wizard_; }

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification);
    void Render();
    void CloseRequested();
    bool RegisterWindowClass();
    void DestroyMainWindow();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    char title_[100] = {};
    char className_[100] = {};
    MainWindowLayout layout_;
    WindowPresenter presenter_;
    CheckoffInfoDialog checkoff_;
    VcpSelectionDialog selection_;
    wizard::EngineTestRunner runner_;
    wizard::Wizard wizard_;
};

}  // namespace kestrova::app::win32
