#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/win32/resource.h"
#include "app/win32/window_text.h"

namespace kestrova::app::win32 {

namespace {

struct ChildSpec {
    const char* className;
    DWORD style;
    DWORD extendedStyle;
    const char* text;
    int x, y, width, height;
    int id;
    HWND MainWindowControls::*slot;  // null for the labels
};

HWND CreateChild(HWND parent, HINSTANCE instance, const ChildSpec& spec, HFONT font) {
    HWND child = CreateWindowExA(spec.extendedStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
                                 spec.x, spec.y, spec.width, spec.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    if (child != nullptr) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return child;
}

void SetEnabled(HWND control, bool enabled) {
    // EnableWindow answers the previous state, not success; only a change repaints.
    if ((IsWindowEnabled(control) != FALSE) != enabled) {
        EnableWindow(control, enabled ? TRUE : FALSE);
    }
}

void SetTextIfChanged(HWND control, const std::string& text) {
    if (WindowText(control) != text) {
        SetWindowTextA(control, text.c_str());
    }
}

// Check marks and greying of the Settings menu's Automatic and Manual items.
void RenderSettingsMenu(HMENU menu, const op::SettingsMenuState& state) {
    if (menu == nullptr) {
        return;
    }
    const UINT grey = state.greyed ? MF_GRAYED : MF_ENABLED;
    CheckMenuItem(menu, IDM_AUTOMATIC, MF_BYCOMMAND | (state.automaticChecked ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_MANUAL, MF_BYCOMMAND | (state.manualChecked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_AUTOMATIC, MF_BYCOMMAND | grey);
    EnableMenuItem(menu, IDM_MANUAL, MF_BYCOMMAND | grey);
}

}  // namespace

MainWindowLayout::~MainWindowLayout() {
    if (measuringDc_ != nullptr) {
        DeleteDC(measuringDc_);
    }
}

bool MainWindowLayout::Create(HWND window, HINSTANCE instance) {
    window_ = window;
    RECT client{};
    GetClientRect(window, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    // No font is prescribed for the children; the shell's dialog font keeps every label legible
    // inside its fixed box, where the bold system font would crowd the longer ones.
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    measuringDc_ = CreateCompatibleDC(nullptr);
    if (measuringDc_ != nullptr) {
        SelectObject(measuringDc_, font_);
    }

    using C = MainWindowControls;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    // Labels are centred down their boxes, as the buttons' captions beside them are.
    const ChildSpec specs[] = {
        {"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, " ", 10, 20, w - 20, 25, IDC_LABEL, &C::modeCaption},
        {"STATIC", SS_RIGHT | SS_CENTERIMAGE, 0, "Start the test:", 10, 55, 130, 20, IDC_LABEL, nullptr},
        {"BUTTON", button, 0, "Start", 145, 55, 140, 20, IDC_START, &C::start},
        {"STATIC", SS_RIGHT | SS_CENTERIMAGE, 0, "Reset for new test:", w / 2, 55, 150, 20, IDC_LABEL, nullptr},
        {"BUTTON", button | WS_DISABLED, 0, "Reset", w / 2 + 155, 55, 140, 20, IDC_RESET, &C::reset},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE, 0, "1. Select Project:", 10, 95, 150, 25, IDC_LABEL, nullptr},
        {"BUTTON", button | WS_DISABLED, 0, "Choose project", 165, 95, 140, 25, IDC_CHOOSE_PROJECT, &C::chooseProject},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | WS_DISABLED, WS_EX_CLIENTEDGE, "none", 310, 95, w - 445, 25,
         IDC_LABEL, &C::projectName},
        {"BUTTON", button | WS_DISABLED, 0, "No Project", w - 130, 95, 120, 25, IDC_NO_PROJECT, &C::noProject},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE, 0, "2. Monitor selection:", 10, 130, 150, 20, IDC_LABEL, nullptr},
        {"COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE,
         "Monitor", 165, 130, w - 335, 400, IDC_MONITOR_LIST, &C::monitorList},
        {"BUTTON", button, 0, "Select", w - 160, 130, 150, 20, IDC_SELECT, &C::select},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE, 0, "3. Get Information:", 10, 160, 150, 20, IDC_LABEL, nullptr},
        {"BUTTON", button, 0, "Get Info", 165, 160, 180, 20, IDC_GET_INFO, &C::getInfo},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE, 0, "4. Show VCP list:", 10, 190, 150, 20, IDC_LABEL, nullptr},
        {"BUTTON", button, 0, "Select VCPs and Plugins", 165, 190, 180, 20, IDC_SELECT_VCPS, &C::selectVcps},
        {"STATIC", SS_LEFT | SS_CENTERIMAGE, 0, "5. Start testing:", 10, 220, 150, 20, IDC_LABEL, nullptr},
        {"BUTTON", button, 0, "Test", 165, 220, 180, 20, IDC_TEST, &C::test},
        {"LISTBOX", LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, "Log", 10, 250,
         w - 20, h - 290, IDC_LOG_LIST, &C::logList},
        {PROGRESS_CLASSA, WS_BORDER, 0, "Overall progress", 10, h - 30, w / 2 - 15, 20, IDC_OVERALL_PROGRESS,
         &C::overallProgress},
        {PROGRESS_CLASSA, WS_BORDER, 0, "Individual progress", w / 2 + 5, h - 30, w / 2 - 15, 20,
         IDC_INDIVIDUAL_PROGRESS, &C::individualProgress},
    };
    for (const ChildSpec& spec : specs) {
        HWND child = CreateChild(window, instance, spec, font_);
        if (child == nullptr) {
            return false;
        }
        if (spec.slot != nullptr) {
            controls_.*spec.slot = child;
        }
    }
    return true;
}

void MainWindowLayout::Render(HWND window, const wizard::WizardView& view) {
    const wizard::WizardControls& enabled = view.controls;
    SetEnabled(controls_.start, enabled.start);
    SetEnabled(controls_.reset, enabled.reset);
    SetEnabled(controls_.chooseProject, enabled.chooseProject);
    SetEnabled(controls_.noProject, enabled.noProject);
    SetEnabled(controls_.monitorList, enabled.monitorList);
    SetEnabled(controls_.select, enabled.select);
    SetEnabled(controls_.getInfo, enabled.getInfo);
    SetEnabled(controls_.selectVcps, enabled.selectVcps);
    SetEnabled(controls_.test, enabled.test);

    SetTextIfChanged(controls_.projectName, view.projectName);
    SetTextIfChanged(controls_.modeCaption, view.modeCaption);
    if (view.monitors != shownMonitors_) {
        SendMessageA(controls_.monitorList, CB_RESETCONTENT, 0, 0);
        for (const std::string& monitor : view.monitors) {
            SendMessageA(controls_.monitorList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(monitor.c_str()));
        }
        shownMonitors_ = view.monitors;
    }
    if (SendMessageA(controls_.monitorList, CB_GETCURSEL, 0, 0) != view.monitorSelection) {
        SendMessageA(controls_.monitorList, CB_SETCURSEL, static_cast<WPARAM>(view.monitorSelection), 0);
    }
    RenderSettingsMenu(GetMenu(window), view.settingsMenu);
}

void MainWindowLayout::AppendLogLine(const char* line) {
    HWND list = controls_.logList;
    if (!logRepaintPending_ && SetTimer(window_, kLogRepaintTimer, kLogRepaintDelayMs, nullptr) != 0) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        logRepaintPending_ = true;
    }
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        return;
    }
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);

    // The list clips what is wider than itself unless it knows how far to scroll.
    SIZE extent{};
    const int length = static_cast<int>(lstrlenA(line));
    if (measuringDc_ != nullptr && GetTextExtentPoint32A(measuringDc_, line, length, &extent) &&
        extent.cx + 8 > widestLogLine_) {
        widestLogLine_ = extent.cx + 8;
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLogLine_), 0);
    }
}

void MainWindowLayout::RepaintLog() {
    KillTimer(window_, kLogRepaintTimer);
    if (!logRepaintPending_) {
        return;
    }
    logRepaintPending_ = false;
    SendMessageA(controls_.logList, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(controls_.logList, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace kestrova::app::win32
