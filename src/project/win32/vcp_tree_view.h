// The VCP selection tree model rendered into a Win32 tree-view control with check boxes, and the
// engineer's ticks read back. Used by the selection dialog and by the project editor.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "project/vcp_tree.h"

namespace kestrova::project::win32 {

class VcpTreeView {
  public:
    // Gives `control` check boxes and bold items and fills it from `tree` (every item, in the
    // model's order; an item's lParam is its id in the model).
    void Render(HWND control, const VcpTree& tree);
    // Writes every item's tick from the control's state image into `tree`: no image counts as
    // kNoImage (ticked), 1 unchecked, 2 checked.
    void ReadTicks(VcpTree& tree) const;
    // Puts the ticks of `tree` back into the control (after the model changed them).
    void WriteTicks(const VcpTree& tree) const;
    // The model id of a control item, or kNoItem.
    int IdOf(HTREEITEM item) const;
    HTREEITEM ItemOf(int id) const;
    HWND Control() const { return control_; }
    // Takes the image list that Render gave the control back and destroys it; for the owner's
    // WM_DESTROY (the control never destroys a normal image list itself).
    void ReleaseImageList();

  private:
    HWND control_ = nullptr;
    std::vector<HTREEITEM> items_;
};

// State image index of a tick: 0 none, 1 unchecked, 2 checked; and back.
int StateImageOf(TickState tick);
TickState TickOfStateImage(int image);

// Answers a tree's TVN_GETINFOTIPA (or W) notification with the help text of the item's model id:
// true when `header` was such a notification and the item has a help text; otherwise the text the
// control offered stays.
bool AnswerInfoTip(const VcpTree& tree, NMHDR* header);

}  // namespace kestrova::project::win32
