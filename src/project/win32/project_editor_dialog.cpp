#include "project/win32/project_editor_dialog.h"

#include <commctrl.h>

#include <iterator>
#include <optional>
#include <string>

#include "platform/local_time.h"
#include "project/project_editor.h"
#include "project/win32/project_editor_resource.h"
#include "project/win32/vcp_tree_view.h"

namespace kestrova::project::win32 {

namespace {

// A recollection asked for by a control's notification, run once the notification is answered:
// a control must never be written from inside its own custom draw, and a click has toggled its
// check box only after its NM_CLICK.
constexpr UINT kRecomputeMessage = WM_APP + 1;

// The buffers the controls are read into, terminator included.
constexpr int kTitleBuffer = static_cast<int>(kTitleSize);
constexpr int kKeyBuffer = 10;
constexpr int kCommentsBuffer = static_cast<int>(kCommentsSize);

struct PluginControl {
    int id;
    bool ProjectEditorFields::*field;
    PluginBox box;
};

constexpr PluginControl kPluginControls[] = {
    {IDC_PROJECT_VISTA, &ProjectEditorFields::vista, PluginBox::kVista},
    {IDC_PROJECT_ASSET_MANAGEMENT, &ProjectEditorFields::assetManagement, PluginBox::kAssetManagement},
    {IDC_PROJECT_THEFT_DETERRENCE, &ProjectEditorFields::theftDeterrence, PluginBox::kTheftDeterrence},
    {IDC_PROJECT_ZONING_PIP, &ProjectEditorFields::zoningPip, PluginBox::kZoningPip},
    {IDC_PROJECT_AUTO_PIVOT, &ProjectEditorFields::autoPivot, PluginBox::kAutoPivot},
};

struct EditorState {
    ProjectEditorModel* model = nullptr;
    std::optional<std::string> path;  // the file to edit, read when the dialog opens
    VcpTreeView tree;
    // What the read-only fields show, so that they are written only when the model changed them.
    std::string shownAnalog;
    std::string shownDigital;
    std::string shownChecksum;
    bool recomputePosted = false;
    // The model is showing a box or the save dialog of its own: the controls are not recollected.
    bool inModelCall = false;
};

// What ModelToControls writes.
enum ControlParts : unsigned {
    kFieldControls = 1u << 0,  // the texts, lists and check boxes the engineer fills in
    kTreeTicks = 1u << 1,      // the check boxes of the rendered tree
    kComputed = 1u << 2,       // previews and checksum, each only when it changed
};

std::string ControlText(HWND dialog, int id, int bufferSize) {
    std::string text(static_cast<size_t>(bufferSize), '\0');
    const UINT copied = GetDlgItemTextA(dialog, id, text.data(), bufferSize);
    text.resize(copied);
    return text;
}

int ListSelection(HWND dialog, int id) {
    // Nothing selected reads as CB_ERR, which is the model's kNoChoice.
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

bool BoxChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void FillList(HWND dialog, int id, const char* const* choices, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices[i]));
    }
}

void ShowIfChanged(HWND dialog, int id, const std::string& text, std::string& shown) {
    if (text != shown) {
        SetDlgItemTextA(dialog, id, text.c_str());
        shown = text;
    }
}

// Everything the engineer can change, from the controls into the model.
void ControlsToModel(HWND dialog, EditorState& state) {
    ProjectEditorFields& fields = state.model->Fields();
    fields.title = ControlText(dialog, IDC_PROJECT_TITLE, kTitleBuffer);
    fields.testType = ListSelection(dialog, IDC_PROJECT_TEST_TYPE);
    fields.level = ListSelection(dialog, IDC_PROJECT_LEVEL);
    for (const PluginControl& plugin : kPluginControls) {
        fields.*plugin.field = BoxChecked(dialog, plugin.id);
    }
    fields.applicationKey = ControlText(dialog, IDC_PROJECT_APPLICATION_KEY, kKeyBuffer);
    fields.comments = ControlText(dialog, IDC_PROJECT_COMMENTS, kCommentsBuffer);
    state.tree.ReadTicks(state.model->Tree());
}

void ModelToControls(HWND dialog, EditorState& state, unsigned parts) {
    const ProjectEditorModel& model = *state.model;
    if ((parts & kFieldControls) != 0) {
        const ProjectEditorFields& fields = model.Fields();
        SetDlgItemTextA(dialog, IDC_PROJECT_TITLE, fields.title.c_str());
        SendDlgItemMessageA(dialog, IDC_PROJECT_TEST_TYPE, CB_SETCURSEL, static_cast<WPARAM>(fields.testType), 0);
        SendDlgItemMessageA(dialog, IDC_PROJECT_LEVEL, CB_SETCURSEL, static_cast<WPARAM>(fields.level), 0);
        for (const PluginControl& plugin : kPluginControls) {
            CheckDlgButton(dialog, plugin.id, fields.*plugin.field ? BST_CHECKED : BST_UNCHECKED);
        }
        SetDlgItemTextA(dialog, IDC_PROJECT_APPLICATION_KEY, fields.applicationKey.c_str());
        SetDlgItemTextA(dialog, IDC_PROJECT_COMMENTS, fields.comments.c_str());
    }
    if ((parts & kTreeTicks) != 0) {
        state.tree.WriteTicks(model.Tree());
    }
    if ((parts & kComputed) != 0) {
        ShowIfChanged(dialog, IDC_PROJECT_ANALOG_PREVIEW, model.AnalogPreview(), state.shownAnalog);
        ShowIfChanged(dialog, IDC_PROJECT_DIGITAL_PREVIEW, model.DigitalPreview(), state.shownDigital);
        ShowIfChanged(dialog, IDC_PROJECT_CHECKSUM, model.ChecksumText(), state.shownChecksum);
    }
}

// The timer's and the notifications' step: recollect, recompute, show what changed.
void Recompute(HWND dialog, EditorState& state) {
    if (state.inModelCall) {
        return;
    }
    ControlsToModel(dialog, state);
    state.model->Recompute();
    ModelToControls(dialog, state, kComputed);
}

void RequestRecompute(HWND dialog, EditorState& state) {
    if (!state.recomputePosted) {
        state.recomputePosted = PostMessageA(dialog, kRecomputeMessage, 0, 0) != 0;
    }
}

void InitialiseDialog(HWND dialog, EditorState& state) {
    SendDlgItemMessageA(dialog, IDC_PROJECT_TITLE, EM_LIMITTEXT, kTitleBuffer - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PROJECT_COMMENTS, EM_LIMITTEXT, kCommentsBuffer - 1, 0);
    FillList(dialog, IDC_PROJECT_TEST_TYPE, kTestTypeChoices, std::size(kTestTypeChoices));
    FillList(dialog, IDC_PROJECT_LEVEL, kLevelChoices, std::size(kLevelChoices));
    state.tree.Render(GetDlgItem(dialog, IDC_PROJECT_VCP_TREE), state.model->Tree());
    ModelToControls(dialog, state, kFieldControls | kComputed);
    if (state.path) {
        // A refused file is reported over the editor, which is shown (and so active) with its
        // defaults first; the box's owner is the window the engineer is in.
        ShowWindow(dialog, SW_SHOW);
        state.inModelCall = true;
        const bool loaded = state.model->LoadFile(*state.path);
        state.inModelCall = false;
        if (loaded) {
            ModelToControls(dialog, state, kFieldControls | kTreeTicks | kComputed);
        }
    }
    SetTimer(dialog, kEditorTimerId, kEditorTimerMs, nullptr);
}

void PluginBoxClicked(HWND dialog, EditorState& state, const PluginControl& plugin) {
    ControlsToModel(dialog, state);
    if (plugin.box == PluginBox::kVista) {
        return;  // no group of its own: only its field changed
    }
    state.model->PluginBoxChanged(plugin.box, state.model->Fields().*plugin.field);
    ModelToControls(dialog, state, kTreeTicks | kComputed);
}

void Confirm(HWND dialog, EditorState& state) {
    ControlsToModel(dialog, state);
    KillTimer(dialog, kEditorTimerId);
    state.inModelCall = true;
    const bool close = state.model->ConfirmOk();
    state.inModelCall = false;
    if (!close) {
        SetTimer(dialog, kEditorTimerId, kEditorTimerMs, nullptr);
        return;
    }
    EndDialog(dialog, IDOK);
}

bool OnCommand(HWND dialog, EditorState& state, int id, int notification) {
    switch (id) {
        case IDOK:
            Confirm(dialog, state);
            return true;
        case IDCANCEL:
            KillTimer(dialog, kEditorTimerId);
            EndDialog(dialog, IDCANCEL);
            return true;
        default:
            break;
    }
    for (const PluginControl& plugin : kPluginControls) {
        if (plugin.id == id) {
            if (notification == BN_CLICKED) {
                PluginBoxClicked(dialog, state, plugin);
            }
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<EditorState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitialiseDialog(dialog, *reinterpret_cast<EditorState*>(lParam));
        return TRUE;
    }
    if (state == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_TIMER:
            if (wParam == kEditorTimerId) {
                Recompute(dialog, *state);
                return TRUE;
            }
            return FALSE;
        case kRecomputeMessage:
            state->recomputePosted = false;
            Recompute(dialog, *state);
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == IDC_PROJECT_VCP_TREE && AnswerInfoTip(state->model->Tree(), header)) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            switch (header->code) {
                case NM_CLICK:
                case NM_SETFOCUS:
                case NM_KILLFOCUS:
                case NM_CUSTOMDRAW:
                    RequestRecompute(dialog, *state);
                    break;
                default:
                    break;
            }
            // Default handling: a click toggles its check box, custom draw draws as usual
            // (CDRF_DODEFAULT).
            return FALSE;
        }
        case WM_DESTROY:
            KillTimer(dialog, kEditorTimerId);
            state->tree.ReleaseImageList();
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool OpenProjectEditor(HWND owner, bool newProject) {
    std::optional<std::string> path;
    if (!newProject) {
        path = AskProjectToEdit();
        if (!path) {
            return false;
        }
    }
    ProjectEditorModel model(platform::CurrentDateTimeSource().Now());
    EditorState state;
    state.model = &model;
    state.path = std::move(path);
    const INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROJECT_EDITOR), owner,
                                          EditorProc, reinterpret_cast<LPARAM>(&state));
    return ended > 0;
}

}  // namespace kestrova::project::win32
