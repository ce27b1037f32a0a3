// Dialog 130: the VCP selection tree and the monitor's capabilities string.
#include "app/win32/dialogs.h"
#include "app/win32/resource.h"
#include "project/win32/vcp_tree_view.h"

namespace kestrova::app::win32 {

namespace {

struct SelectionState {
    project::VcpTree* tree = nullptr;
    const std::string* capabilities = nullptr;
    project::win32::VcpTreeView view;
};

INT_PTR CALLBACK SelectionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SelectionState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<SelectionState*>(lParam);
            state->view.Render(GetDlgItem(dialog, IDC_SELECTION_TREE), *state->tree);
            SetDlgItemTextA(dialog, IDC_CAPABILITIES_TEXT, state->capabilities->c_str());
            return TRUE;
        case WM_COMMAND:
            if (state == nullptr) {
                return FALSE;
            }
            switch (LOWORD(wParam)) {
                case IDOK:
                    // The ticks go into the model while the control still exists.
                    state->view.ReadTicks(*state->tree);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case IDC_DESELECT_ALL:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        state->tree->UncheckAll();
                        state->view.WriteTicks(*state->tree);
                    }
                    return TRUE;
                case IDC_ADD_CUSTOM:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        ShowAddCustomVcp(dialog);
                    }
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (state != nullptr && header->idFrom == IDC_SELECTION_TREE &&
                project::win32::AnswerInfoTip(*state->tree, header)) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (state != nullptr) {
                state->view.ReleaseImageList();
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool VcpSelectionDialog::Run(project::VcpTree& tree, const std::string& capabilities) {
    SelectionState state;
    state.tree = &tree;
    state.capabilities = &capabilities;
    const INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VCP_SELECTION), owner_,
                                          SelectionProc, reinterpret_cast<LPARAM>(&state));
    return ended == IDOK;
}

}  // namespace kestrova::app::win32
