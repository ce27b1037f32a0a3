// The presenter of the Windows window: log lines and progress into the main window's controls,
// the Redo/Yes/No question, message boxes and the common file dialogs. Every call may come from
// the window thread or the test thread; the test thread reaches the window only through
// synchronous messages and modal dialogs owned by the main window.
#pragma once

#include <windows.h>

#include "app/win32/main_window.h"
#include "operator/presenter.h"

namespace kestrova::app::win32 {

// Room for any path the file dialogs can hand back, so that a path too long for the caller reaches
// the caller's own check (and its explanation) instead of failing inside the dialog as a cancel.
inline constexpr size_t kFileDialogBufferLength = 32768;

class WindowPresenter final : public op::Presenter {
  public:
    // Until attached, output is dropped and questions get their default answers.
    void Attach(HWND mainWindow, const MainWindowControls& controls);
    void Detach();

    void AppendLogLine(const std::string& line) override;
    void SetOverallProgressRange(int minimum, int maximum) override;
    void SetOverallProgress(int position) override;
    void SetIndividualProgressRange(int minimum, int maximum) override;
    void SetIndividualProgress(int position) override;
    int AskRedoYesNo(const std::string& caption, const std::string& question) override;
    op::MessageAnswer ShowMessage(const std::string& caption,
                                  const std::string& text,
                                  op::MessageButtons buttons,
                                  op::MessageIcon icon) override;
    std::optional<std::string> AskOpenPath(const op::FileDialogRequest& request) override;
    std::optional<std::string> AskSavePath(const op::FileDialogRequest& request) override;

    // The window a box or dialog shown from the calling thread belongs to: on the window thread the
    // dialog the engineer is in (so an editor's error box is the editor's), else the main window.
    HWND OwnerForCallingThread() const;

  private:
    std::optional<std::string> AskPath(const op::FileDialogRequest& request, bool save);

    HWND mainWindow_ = nullptr;
    DWORD windowThread_ = 0;
    MainWindowControls controls_;
};

}  // namespace kestrova::app::win32
