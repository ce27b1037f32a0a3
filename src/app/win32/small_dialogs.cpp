// The small dialogs: "Add custom VCP" (131), the Redo/Yes/No question (138) and About (103).
#include "app/win32/dialogs.h"
#include "app/win32/resource.h"

namespace kestrova::app::win32 {

namespace {

// 131 and 103: OK and Cancel (Escape, the close box) only close the dialog.
INT_PTR CALLBACK CloseOnOkOrCancelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

struct QuestionState {
    const std::string* caption = nullptr;
    const std::string* question = nullptr;
};

bool IsAnswerButton(INT_PTR id) {
    return id == IDC_ANSWER_REDO || id == IDC_ANSWER_YES || id == IDC_ANSWER_NO;
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* state = reinterpret_cast<const QuestionState*>(lParam);
            SetWindowTextA(dialog, state->caption->c_str());
            SetDlgItemTextA(dialog, IDC_QUESTION_TEXT, state->question->c_str());
            // Enter answers with the default button, No, rather than with the first one, Redo.
            SetFocus(GetDlgItem(dialog, IDC_ANSWER_NO));
            return FALSE;
        }
        case WM_COMMAND:
            if (IsAnswerButton(LOWORD(wParam))) {
                EndDialog(dialog, LOWORD(wParam));
            }
            // Escape (IDCANCEL) is swallowed: only the three buttons end the question.
            return TRUE;
        case WM_CLOSE:
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAddCustomVcp(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADD_CUSTOM_VCP), owner, CloseOnOkOrCancelProc, 0);
}

int AskRedoYesNoDialog(HWND owner, const std::string& caption, const std::string& question) {
    QuestionState state;
    state.caption = &caption;
    state.question = &question;
    // Ended with the button id: a failed DialogBox answers -1, which must not read as Redo.
    const INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_REDO_YES_NO), owner,
                                          QuestionProc, reinterpret_cast<LPARAM>(&state));
    return IsAnswerButton(ended) ? static_cast<int>(ended) : 0;
}

int AnswerOfButton(int buttonId) {
    switch (buttonId) {
        case IDC_ANSWER_YES:
            return 1;
        case IDC_ANSWER_REDO:
            return -1;
        default:
            return 0;
    }
}

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, CloseOnOkOrCancelProc, 0);
}

}  // namespace kestrova::app::win32
