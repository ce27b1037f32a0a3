// Dialog 129: the check-off information, shown for editing and read back on OK.
#include <string>

#include "app/win32/dialogs.h"
#include "app/win32/resource.h"
#include "app/win32/window_text.h"

namespace kestrova::app::win32 {

namespace {

struct CheckoffState {
    const wizard::CheckoffFields* shown = nullptr;
    bool showLockingCode = true;
    wizard::CheckoffFields typed;
};

// The edit fields in the order of their ids, which is not the order of CheckoffFields.
struct FieldOfControl {
    int id;
    std::string wizard::CheckoffFields::*field;
};

constexpr FieldOfControl kFields[] = {
    {IDC_CHECKOFF_USER, &wizard::CheckoffFields::user},
    {IDC_CHECKOFF_REVISION, &wizard::CheckoffFields::revision},
    {IDC_CHECKOFF_LOCKING_CODE, &wizard::CheckoffFields::lockingCode},
    {IDC_CHECKOFF_FIRMWARE_VERSION, &wizard::CheckoffFields::firmwareVersion},
    {IDC_CHECKOFF_FIRMWARE_DATE, &wizard::CheckoffFields::firmwareDate},
};

// The whole text of a field, however long: cutting it to its capacity is the model's business.
std::string FieldText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

INT_PTR CALLBACK CheckoffProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<CheckoffState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<CheckoffState*>(lParam);
            for (const FieldOfControl& control : kFields) {
                SetDlgItemTextA(dialog, control.id, (state->shown->*control.field).c_str());
            }
            const int show = state->showLockingCode ? SW_SHOW : SW_HIDE;
            ShowWindow(GetDlgItem(dialog, IDC_CHECKOFF_LOCKING_LABEL), show);
            ShowWindow(GetDlgItem(dialog, IDC_CHECKOFF_LOCKING_CODE), show);
            return TRUE;
        }
        case WM_COMMAND:
            if (state == nullptr) {
                return FALSE;
            }
            if (LOWORD(wParam) == IDOK) {
                // The hidden locking code is read like the others.
                for (const FieldOfControl& control : kFields) {
                    state->typed.*control.field = FieldText(dialog, control.id);
                }
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

std::optional<wizard::CheckoffFields> CheckoffInfoDialog::Edit(const wizard::CheckoffFields& fields,
                                                               bool showLockingCode) {
    CheckoffState state;
    state.shown = &fields;
    state.showLockingCode = showLockingCode;
    const INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHECKOFF_INFO), owner_,
                                          CheckoffProc, reinterpret_cast<LPARAM>(&state));
    if (ended != IDOK) {
        return std::nullopt;
    }
    return state.typed;
}

}  // namespace kestrova::app::win32
