#include "app/win32/window_presenter.h"

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>

#include <vector>

#include "app/win32/dialogs.h"
#include "app/win32/resource.h"

namespace kestrova::app::win32 {

namespace {

UINT MessageBoxFlags(op::MessageButtons buttons, op::MessageIcon icon) {
    UINT flags = buttons == op::MessageButtons::kYesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case op::MessageIcon::kNone:
            break;
        case op::MessageIcon::kInformation:
            flags |= MB_ICONINFORMATION;
            break;
        case op::MessageIcon::kQuestion:
            flags |= MB_ICONQUESTION;
            break;
        case op::MessageIcon::kWarning:
            flags |= MB_ICONWARNING;
            break;
        case op::MessageIcon::kError:
            flags |= MB_ICONERROR;
            break;
    }
    return flags;
}

// "All\0*.*\0Project\0*.vmdProj\0\0"
std::vector<char> FilterText(const std::vector<op::FileFilter>& filters) {
    std::vector<char> text;
    for (const op::FileFilter& filter : filters) {
        text.insert(text.end(), filter.name.begin(), filter.name.end());
        text.push_back('\0');
        text.insert(text.end(), filter.pattern.begin(), filter.pattern.end());
        text.push_back('\0');
    }
    text.push_back('\0');
    text.push_back('\0');
    return text;
}

void SetRange(HWND bar, int minimum, int maximum) {
    if (bar == nullptr) {
        return;
    }
    SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(minimum), 0);
}

void SetPosition(HWND bar, int position) {
    if (bar != nullptr) {
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
}

// The common dialogs use the shell, which wants COM on the calling thread; the test thread asks for
// the report's file name.
class ComForThisCall {
  public:
    ComForThisCall() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComForThisCall() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

  private:
    bool initialised_;
};

}  // namespace

void WindowPresenter::Attach(HWND mainWindow, const MainWindowControls& controls) {
    mainWindow_ = mainWindow;
    windowThread_ = GetWindowThreadProcessId(mainWindow, nullptr);
    controls_ = controls;
}

void WindowPresenter::Detach() {
    mainWindow_ = nullptr;
    windowThread_ = 0;
    controls_ = MainWindowControls{};
}

void WindowPresenter::AppendLogLine(const std::string& line) {
    if (mainWindow_ != nullptr) {
        SendMessageA(mainWindow_, kAppendLogLineMessage, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

void WindowPresenter::SetOverallProgressRange(int minimum, int maximum) {
    SetRange(controls_.overallProgress, minimum, maximum);
}

void WindowPresenter::SetOverallProgress(int position) {
    SetPosition(controls_.overallProgress, position);
}

void WindowPresenter::SetIndividualProgressRange(int minimum, int maximum) {
    SetRange(controls_.individualProgress, minimum, maximum);
}

void WindowPresenter::SetIndividualProgress(int position) {
    SetPosition(controls_.individualProgress, position);
}

int WindowPresenter::AskRedoYesNo(const std::string& caption, const std::string& question) {
    if (mainWindow_ == nullptr) {
        return 0;
    }
    return AnswerOfButton(AskRedoYesNoDialog(mainWindow_, caption, question));
}

op::MessageAnswer WindowPresenter::ShowMessage(const std::string& caption,
                                               const std::string& text,
                                               op::MessageButtons buttons,
                                               op::MessageIcon icon) {
    const int pressed =
        MessageBoxA(OwnerForCallingThread(), text.c_str(), caption.c_str(), MessageBoxFlags(buttons, icon));
    if (buttons == op::MessageButtons::kYesNo) {
        return pressed == IDYES ? op::MessageAnswer::kYes : op::MessageAnswer::kNo;
    }
    return op::MessageAnswer::kOk;
}

std::optional<std::string> WindowPresenter::AskOpenPath(const op::FileDialogRequest& request) {
    return AskPath(request, false);
}

std::optional<std::string> WindowPresenter::AskSavePath(const op::FileDialogRequest& request) {
    return AskPath(request, true);
}

std::optional<std::string> WindowPresenter::AskPath(const op::FileDialogRequest& request, bool save) {
    ComForThisCall com;
    std::vector<char> path(kFileDialogBufferLength, '\0');
    request.proposedName.copy(path.data(), std::min(request.proposedName.size(), path.size() - 1));
    const std::vector<char> filter = FilterText(request.filters);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerForCallingThread();
    dialog.lpstrFilter = request.filters.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = static_cast<DWORD>(request.selectedFilter + 1);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    // The working folder stays where the program started, whatever folder the engineer browses to.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (request.pathMustExist) {
        dialog.Flags |= OFN_PATHMUSTEXIST;
    }
    if (save) {
        // An existing report or project is replaced only when the engineer says so.
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    }
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return std::string(path.data());
}

HWND WindowPresenter::OwnerForCallingThread() const {
    if (mainWindow_ != nullptr && GetCurrentThreadId() == windowThread_) {
        HWND active = GetActiveWindow();
        if (active != nullptr && IsWindowEnabled(active)) {
            return active;
        }
    }
    return mainWindow_;
}

}  // namespace kestrova::app::win32
