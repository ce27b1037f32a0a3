// The dialogs shown from the real templates of the resources and answered from inside their modal
// loops by the dialog robot: what each shows, what its buttons and keys do, what comes back.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/dialogs.h"
#include "app/win32/resource.h"
#include "catalogue/vcp_catalogue.h"
#include "dialog_robot.h"
#include "project/vcp_tree_builder.h"
#include "project/win32/vcp_tree_view.h"

namespace kestrova::app::win32 {
namespace {

using project::TickState;
using project::VcpTree;
using project::win32::StateImageOf;
using project::win32::TickOfStateImage;
using testing::Click;
using testing::DialogRobot;
using testing::SetText;
using testing::TextOf;

constexpr UINT kWatchdogMs = 30000;
constexpr char kSelectionCaption[] = "VCP Check Off Information";

// A dialog the robot never answered is ended, so that a fault fails the case instead of hanging.
BOOL CALLBACK EndDialogOfThread(HWND window, LPARAM) {
    if (testing::ClassOf(window) == "#32770") {
        ADD_FAILURE() << "dialog \"" << testing::CaptionOf(window) << "\" was left open";
        EndDialog(window, 0);
    }
    return TRUE;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), EndDialogOfThread, 0);
}

class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        watchdog_ = SetTimer(nullptr, 0, kWatchdogMs, Watchdog);
    }
    void TearDown() override { KillTimer(nullptr, watchdog_); }

    UINT_PTR watchdog_ = 0;
};

// Runs `step` on the robot's next tick: by then every message posted before has been handled.
void Then(DialogRobot& robot, std::function<void()> step) {
    robot.ThenWhen([] { return true; }, std::move(step), "next step");
}

// The edit field of each check-off text.
using CheckoffText = std::string wizard::CheckoffFields::*;
const std::pair<int, CheckoffText> kCheckoffFieldIds[] = {
    {IDC_CHECKOFF_USER, &wizard::CheckoffFields::user},
    {IDC_CHECKOFF_REVISION, &wizard::CheckoffFields::revision},
    {IDC_CHECKOFF_LOCKING_CODE, &wizard::CheckoffFields::lockingCode},
    {IDC_CHECKOFF_FIRMWARE_VERSION, &wizard::CheckoffFields::firmwareVersion},
    {IDC_CHECKOFF_FIRMWARE_DATE, &wizard::CheckoffFields::firmwareDate}};

TEST_F(DialogsTest, CheckoffShowsTheFieldsByIdAndReadsEveryOneBack) {
    const wizard::CheckoffFields shown{"Velmora Displays", "FW 2.31", "1.0", "12/18/2007", "FF"};
    const wizard::CheckoffFields typed{std::string(60, 'u'), "FW 9", "2.5", "01/02/2025", "A5"};
    struct Case {
        const char* name;
        bool showLockingCode;
        bool retype;
        int button;
    };
    for (const Case& c :
         {Case{"project in use, retyped, OK", false, true, IDOK}, Case{"no project, untouched, OK", true, false, IDOK},
          Case{"retyped, Cancel", true, true, IDCANCEL}}) {
        SCOPED_TRACE(c.name);
        DialogRobot robot;
        robot.When("VCP Checkoff Information", [&](HWND dialog) {
            for (const auto& [id, text] : kCheckoffFieldIds) {
                EXPECT_EQ(TextOf(GetDlgItem(dialog, id)), shown.*text) << "field " << id;
                if (c.retype) {
                    SetText(dialog, id, typed.*text);
                }
            }
            EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_CHECKOFF_LOCKING_LABEL)) != 0, c.showLockingCode);
            EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_CHECKOFF_LOCKING_CODE)) != 0, c.showLockingCode);
            Click(dialog, c.button);
        });
        CheckoffInfoDialog dialog;
        const std::optional<wizard::CheckoffFields> answer = dialog.Edit(shown, c.showLockingCode);
        EXPECT_TRUE(robot.Pending().empty());
        ASSERT_EQ(answer.has_value(), c.button == IDOK);
        for (const auto& [id, text] : kCheckoffFieldIds) {
            if (!answer) {
                break;
            }
            EXPECT_EQ((*answer).*text, (c.retype ? typed : shown).*text) << "field " << id;
        }
    }
}

struct ControlItem {
    HTREEITEM handle;
    LPARAM id;
    LPARAM parentId;
    std::string text;
    UINT state;
};

// Every item of the control, parents before their children, as the engineer could expand them.
void Walk(HWND tree, HTREEITEM first, LPARAM parentId, std::vector<ControlItem>& items) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        char text[256] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
        query.hItem = item;
        query.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        items.push_back({item, query.lParam, parentId, text, query.state});
        Walk(tree, TreeView_GetChild(tree, item), query.lParam, items);
    }
}

std::vector<ControlItem> ItemsOf(HWND tree) {
    std::vector<ControlItem> items;
    Walk(tree, TreeView_GetRoot(tree), project::kNoItem, items);
    return items;
}

int StateImage(const ControlItem& item) {
    return static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12);
}

// A real click on an item's check box: the point the control itself reports as its state icon.
void ClickCheckBox(HWND tree, HTREEITEM item) {
    RECT text{};
    *reinterpret_cast<HTREEITEM*>(&text) = item;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
    for (LONG x = 0; x < text.left; ++x) {
        TVHITTESTINFO hit{{x, (text.top + text.bottom) / 2}, 0, nullptr};
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON) != 0) {
            PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, hit.pt.y));
            PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, hit.pt.y));
            return;
        }
    }
    FAIL() << "no check box left of the item's text";
}

TEST_F(DialogsTest, SelectionRendersTheModelsTreeAndHandsTheEngineersTicksBack) {
    catalogue::VcpCatalogue catalogue;
    for (uint8_t code : {0x10, 0x22, 0x60, 0xC6}) {
        catalogue[code].inCaps = true;
    }
    const std::string caps = "(prot(monitor)type(lcd)vcp(10 22 60(1 3) C6)mccs_ver(2.2))";
    struct Case {
        const char* name;
        bool deselectAll;
        int button;
    };
    for (const Case& c : {Case{"ticks changed, OK", false, IDOK}, Case{"Deselect All, ticks changed, OK", true, IDOK},
                          Case{"ticks changed, Cancel", false, IDCANCEL}}) {
        SCOPED_TRACE(c.name);
        VcpTree tree;
        project::BuildVcpTree(tree, false, catalogue);
        const int noImage = tree.GroupItem(5);
        tree.Item(noImage).tick = TickState::kNoImage;
        std::vector<TickState> expected;
        for (const project::VcpTreeItem& item : tree.Items()) {
            expected.push_back(c.deselectAll ? TickState::kUnchecked : item.tick);
        }
        const int clicked = tree.GroupItem(0);      // a root item, visible without scrolling
        const int cleared = tree.CodeItem(11, 0);   // deeper items, changed by message
        const int unticked = tree.CodeItem(12, 0);  // under group 11
        HWND dialog = nullptr;
        HWND control = nullptr;

        DialogRobot robot;
        robot.When(kSelectionCaption, [&](HWND shown) {
            dialog = shown;
            control = GetDlgItem(dialog, IDC_SELECTION_TREE);
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_CAPABILITIES_TEXT)), caps);
            EXPECT_NE(TreeView_GetImageList(control, TVSIL_NORMAL), nullptr);
            const std::vector<ControlItem> items = ItemsOf(control);
            ASSERT_EQ(items.size(), tree.Size());
            EXPECT_EQ(static_cast<size_t>(TreeView_GetCount(control)), tree.Size());
            for (size_t id = 0; id < items.size(); ++id) {
                const project::VcpTreeItem& model = tree.Items()[id];
                SCOPED_TRACE(model.label);
                EXPECT_EQ(items[id].id, static_cast<LPARAM>(id));
                EXPECT_EQ(items[id].parentId, model.parent);
                EXPECT_EQ(items[id].text, model.label);
                EXPECT_EQ((items[id].state & TVIS_BOLD) != 0, model.bold);
                EXPECT_EQ(StateImage(items[id]), StateImageOf(model.tick));
            }
            // The info tip of an item with a help text is that text; others keep what was offered.
            for (int id : {tree.GroupItem(3), tree.Item(tree.GroupItem(9)).parent, tree.CodeItem(3, 0)}) {
                char tip[INFOTIPSIZE] = "offered";
                NMTVGETINFOTIPA notify{};
                notify.hdr = {control, IDC_SELECTION_TREE, static_cast<UINT>(TVN_GETINFOTIPA)};
                notify.pszText = tip;
                notify.cchTextMax = INFOTIPSIZE;
                notify.hItem = items[static_cast<size_t>(id)].handle;
                notify.lParam = id;
                SendMessageA(dialog, WM_NOTIFY, IDC_SELECTION_TREE, reinterpret_cast<LPARAM>(&notify));
                const std::string& help = tree.Item(id).helpText;
                EXPECT_EQ(std::string(tip), help.empty() ? "offered" : help) << tree.Item(id).label;
            }
            if (c.deselectAll) {
                Click(dialog, IDC_DESELECT_ALL);
            }
        });
        Then(robot, [&] {
            for (const ControlItem& item : ItemsOf(control)) {
                EXPECT_EQ(TickOfStateImage(StateImage(item)), expected[static_cast<size_t>(item.id)]) << item.text;
            }
            const auto setImage = [&](int id, int image) {
                TreeView_SetItemState(control, ItemsOf(control)[static_cast<size_t>(id)].handle,
                                      INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
                expected[static_cast<size_t>(id)] = TickOfStateImage(image);
            };
            setImage(cleared, 0);
            setImage(unticked, 1);
            TickState& flipped = expected[static_cast<size_t>(clicked)];
            flipped = flipped == TickState::kChecked ? TickState::kUnchecked : TickState::kChecked;
            ClickCheckBox(control, ItemsOf(control)[static_cast<size_t>(clicked)].handle);
        });
        Then(robot, [&] { Click(dialog, c.button); });
        VcpSelectionDialog selection;
        const bool confirmed = selection.Run(tree, caps);
        EXPECT_TRUE(robot.Pending().empty());
        EXPECT_EQ(confirmed, c.button == IDOK);
        if (confirmed) {
            for (size_t id = 0; id < tree.Size(); ++id) {
                EXPECT_EQ(tree.Items()[id].tick, expected[id]) << tree.Items()[id].label;
            }
        }
    }
}

TEST_F(DialogsTest, AddCustomIsOwnedByTheSelectionAndEitherButtonClosesIt) {
    VcpTree tree;
    project::BuildVcpTree(tree, false, catalogue::VcpCatalogue());
    HWND selection = nullptr;
    std::vector<HWND> forms;
    DialogRobot robot;
    robot.When(kSelectionCaption, [&](HWND shown) {
        selection = shown;
        Click(selection, IDC_ADD_CUSTOM);
    });
    for (int button : {IDOK, IDCANCEL}) {
        robot.When("Add custom VCP", [&, button](HWND form) {
            forms.push_back(form);
            EXPECT_EQ(GetWindow(form, GW_OWNER), selection);
            EXPECT_FALSE(IsWindowEnabled(selection));
            Click(form, button);
        });
        robot.ThenWhen([&] { return !IsWindow(forms.back()) && IsWindowEnabled(selection); },
                       [&, button] { Click(selection, button == IDOK ? IDC_ADD_CUSTOM : IDCANCEL); },
                       "the form closed");
    }
    VcpSelectionDialog dialog;
    EXPECT_FALSE(dialog.Run(tree, ""));
    EXPECT_TRUE(robot.Pending().empty());
    EXPECT_EQ(forms.size(), 2u);
}

TEST_F(DialogsTest, QuestionIgnoresEscapeAndTheCloseBoxAndEndsWithTheButtonsId) {
    struct Case {
        const char* name;
        UINT key;  // pressed on the focused control, or 0 to click `button`
        int button;
        int answer;
    };
    for (const Case& c : {Case{"Redo", 0, IDC_ANSWER_REDO, -1}, Case{"Yes", 0, IDC_ANSWER_YES, 1},
                          Case{"No", 0, IDC_ANSWER_NO, 0}, Case{"Enter", VK_RETURN, IDC_ANSWER_NO, 0}}) {
        SCOPED_TRACE(c.name);
        HWND question = nullptr;
        DialogRobot robot;
        robot.When("Brightness", [&](HWND shown) {
            question = shown;
            EXPECT_EQ(TextOf(GetDlgItem(question, IDC_QUESTION_TEXT)), "Did the screen get brighter?");
            EXPECT_EQ(GetFocus(), GetDlgItem(question, IDC_ANSWER_NO));  // Enter answers with the default
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(question, WM_SYSCOMMAND, SC_CLOSE, 0);
            PostMessageA(question, WM_CLOSE, 0, 0);
            PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
        });
        Then(robot, [&] {
            EXPECT_TRUE(IsWindowVisible(question));
            if (c.key != 0) {
                PostMessageA(GetFocus(), WM_KEYDOWN, c.key, 0);
            } else {
                Click(question, c.button);
            }
        });
        const int ended = AskRedoYesNoDialog(nullptr, "Brightness", "Did the screen get brighter?");
        EXPECT_TRUE(robot.Pending().empty());
        EXPECT_EQ(ended, c.button);
        EXPECT_EQ(AnswerOfButton(ended), c.answer);
    }
    // A question that cannot be shown is No, never Redo.
    EXPECT_EQ(AskRedoYesNoDialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7ff0)), "c", "q"), 0);
    EXPECT_EQ(AnswerOfButton(0), 0);
    EXPECT_EQ(AnswerOfButton(-1), 0);
}

TEST_F(DialogsTest, AboutClosesOnOkAndOnCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        DialogRobot robot;
        robot.When("About", [button](HWND about) { Click(about, button); });
        ShowAboutBox(nullptr);
        EXPECT_TRUE(robot.Pending().empty()) << button;
    }
}

}  // namespace
}  // namespace kestrova::app::win32

int main(int argc, char** argv) {
    return kestrova::app::win32::testing::RunAllTestsOnOwnDesktop(argc, argv);
}
