// The modal dialogs of the main window, as plain dialog procedures over the model's data: the
// check-off information (129), the VCP selection (130) with its "Add custom VCP" form (131), the
// Redo/Yes/No question (138) and the About box (103). Each is built from its template in the
// program's resources.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/wizard/checkoff_step.h"
#include "app/wizard/selection_step.h"

namespace kestrova::app::win32 {

// Dialog 129, owned by the main window. The five fields go in as given; on OK they come back as
// typed (the hidden locking code included); the model cuts them to their capacities.
class CheckoffInfoDialog final : public wizard::CheckoffDialog {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<wizard::CheckoffFields> Edit(const wizard::CheckoffFields& fields, bool showLockingCode) override;

  private:
    HWND owner_ = nullptr;
};

// Dialog 130, owned by the main window: the tree rendered from `tree`, the capabilities string in
// its sunken field; on OK every item's check box is read back into `tree`.
class VcpSelectionDialog final : public wizard::SelectionDialog {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    bool Run(project::VcpTree& tree, const std::string& capabilities) override;

  private:
    HWND owner_ = nullptr;
};

// Dialog 131: both buttons only close it; nothing typed is kept.
void ShowAddCustomVcp(HWND owner);

// Dialog 138. Answers the id of the button that ended it (IDC_ANSWER_REDO, _YES, _NO), or 0 when
// the dialog could not be shown. Escape and the close box do nothing.
int AskRedoYesNoDialog(HWND owner, const std::string& caption, const std::string& question);
// 1 for Yes, -1 for Redo, 0 for No and anything else.
int AnswerOfButton(int buttonId);

// Dialog 103; closes on OK or Cancel.
void ShowAboutBox(HWND owner);

}  // namespace kestrova::app::win32
