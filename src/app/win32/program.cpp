#include "app/win32/program.h"

#include <commctrl.h>

#include "app/win32/resource.h"
#include "engine/test_run_control.h"
#include "operator/presenter.h"
#include "operator/run_settings.h"
#include "platform/clock.h"
#include "platform/dynamic_library.h"
#include "project/win32/project_editor_dialog.h"

namespace kestrova::app::win32 {

namespace {

Program* CreatingProgram = nullptr;

// A WM_QUIT left in the thread's queue would end the next modal loop of the same thread.
void DiscardQuitMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Waits for the test thread while still answering its synchronous messages.
void PumpMessagesUntilRunEnded() {
    for (;;) {
        engine::FinishEndedTestRun();
        if (!engine::TestRunActive()) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

Program::Program(HINSTANCE instance, std::function<bool()> startBus)
    : instance_(instance), wizard_(checkoff_, selection_, runner_, std::move(startBus)) {}

Program::~Program() {
    if (engine::TestRunActive()) {
        op::StopRequested = true;
        PumpMessagesUntilRunEnded();
    }
    engine::SetTestRunEndedHandler(nullptr);
    DestroyMainWindow();
    DiscardQuitMessages();
}

bool Program::RegisterWindowClass() {
    LoadStringA(instance_, IDS_APP_TITLE, title_, sizeof title_);
    LoadStringA(instance_, IDS_WINDOW_CLASS, className_, sizeof className_);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KESTROVA));
    windowClass.hIconSm = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDC_KESTROVA);
    windowClass.lpszClassName = className_;
    // A second program object in the same process (tests) finds the class registered.
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Program::StartUp(int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass()) {
        return false;
    }
    CreatingProgram = this;
    window_ = CreateWindowExA(0, className_, title_, WS_OVERLAPPEDWINDOW, 10, 40, 780, 580, nullptr, nullptr, instance_,
                              nullptr);
    CreatingProgram = nullptr;
    if (window_ == nullptr || !layout_.Create(window_, instance_)) {
        DestroyMainWindow();
        return false;
    }
    presenter_.Attach(window_, layout_.Controls());
    checkoff_.SetOwner(window_);
    selection_.SetOwner(window_);
    HWND window = window_;
    engine::SetTestRunEndedHandler([window] { PostMessageA(window, kTestRunEndedMessage, 0, 0); });
    platform::RestrictLibrarySearch();
    platform::UseVirtualClockIfAsked();

    const bool started = wizard_.StartUp(presenter_, nullptr, [this, showCommand] {
        // The engineer sees the window in its first step before the library is looked for, so
        // that the loading error has a window behind it.
        Render();
        ShowWindow(window_, showCommand);
        UpdateWindow(window_);
    });
    if (!started) {
        DestroyMainWindow();
        return false;
    }
    Render();
    return true;
}

int Program::RunMessageLoop() {
    HACCEL accelerators = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(IDC_KESTROVA));
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Alt+? reaches the main window whichever of its children has the focus.
        if (accelerators != nullptr && window_ != nullptr && TranslateAcceleratorA(window_, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void Program::DestroyMainWindow() {
    if (window_ != nullptr) {
        HWND window = window_;
        DestroyWindow(window);
    }
    presenter_.Detach();
    op::InstallPresenter(nullptr);
    op::InstallModeObserver(nullptr);
}

LRESULT CALLBACK Program::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* program = reinterpret_cast<Program*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (program == nullptr && CreatingProgram != nullptr) {
        program = CreatingProgram;
        program->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(program));
    }
    if (program == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return program->HandleMessage(message, wParam, lParam);
}

LRESULT Program::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case kAppendLogLineMessage:
            layout_.AppendLogLine(reinterpret_cast<const char*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kLogRepaintTimer) {
                layout_.RepaintLog();
                return 0;
            }
            return DefWindowProcA(window_, message, wParam, lParam);
        case kTestRunEndedMessage:
            if (wizard_.FinishEndedRun()) {
                DestroyWindow(window_);
            } else {
                Render();
            }
            return 0;
        case WM_CLOSE:
            CloseRequested();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window_, &paint);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_DESTROY:
            SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void Program::CloseRequested() {
    switch (wizard_.RequestExit()) {
        case wizard::ExitDecision::kExitNow:
            DestroyWindow(window_);
            break;
        case wizard::ExitDecision::kExitWhenRunEnds:
        case wizard::ExitDecision::kStayOpen:
            Render();
            break;
    }
}

void Program::OnCommand(int id, int notification) {
    switch (id) {
        case IDC_START:
            wizard_.Start();
            break;
        case IDC_CHOOSE_PROJECT:
            wizard_.ChooseProject();
            break;
        case IDC_NO_PROJECT:
            wizard_.NoProject();
            break;
        case IDC_MONITOR_LIST:
            if (notification == CBN_SELCHANGE) {
                wizard_.ChooseMonitorEntry(
                    static_cast<int>(SendMessageA(layout_.Controls().monitorList, CB_GETCURSEL, 0, 0)));
            }
            break;
        case IDC_SELECT:
            wizard_.ChooseMonitorEntry(
                static_cast<int>(SendMessageA(layout_.Controls().monitorList, CB_GETCURSEL, 0, 0)));
            wizard_.Select();
            break;
        case IDC_GET_INFO:
            wizard_.GetInfo();
            break;
        case IDC_SELECT_VCPS:
            wizard_.SelectVcps();
            break;
        case IDC_TEST:
            wizard_.Test();
            break;
        case IDC_RESET:
            wizard_.Reset();
            break;
        case IDM_AUTOMATIC:
            wizard_.ChooseMode(op::kAutomaticMode);
            break;
        case IDM_MANUAL:
            wizard_.ChooseMode(op::kManualMode);
            break;
        case IDM_NEW_PROJECT:
            project::win32::OpenProjectEditor(window_, true);
            break;
        case IDM_EDIT_PROJECT:
            project::win32::OpenProjectEditor(window_, false);
            break;
        case IDM_ABOUT:
            ShowAboutBox(window_);
            break;
        case IDM_EXIT:
            CloseRequested();
            return;
        default:
            return;
    }
    if (window_ != nullptr) {
        Render();
    }
}

void Program::Render() {
    if (window_ != nullptr) {
        layout_.Render(window_, wizard_.View());
    }
}

}  // namespace kestrova::app::win32
