// The project editor (dialog 136) in-process, opened from the real main window's File menu and
// answered by the dialog robot: what it shows, how its timer, tree and plug-in boxes feed the
// previews and checksum, the OK checks, and the files it writes, against the console's.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/win32/program.h"
#include "app/win32/resource.h"
#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "dialog_robot.h"
#include "platform/local_time.h"
#include "project/project_checksum.h"
#include "project/project_editor.h"
#include "project/project_file.h"
#include "project/vcp_tree_builder.h"
#include "project/win32/project_editor_resource.h"

namespace kestrova::app::win32 {
namespace {

namespace fs = std::filesystem;
using testing::AnswerFileDialog;
using testing::CaptionOf;
using testing::ClassOf;
using testing::Click;
using testing::DialogRobot;
using testing::FileNameField;
using testing::SetText;
using testing::StaticTexts;
using testing::TextOf;

constexpr char kEditorCaption[] = "VCP Checkoff Project";
constexpr DWORD kTimerSlackMs = 1800;  // one period of the editor's timer, with room for a loaded machine
const platform::LocalDateTime kNow{"14:07", "Monday, December 7, 2026"};

void CALLBACK EndDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            if (ClassOf(window) == "#32770") {
                ADD_FAILURE() << "\"" << CaptionOf(window) << "\" was left open";
                EndDialog(window, 0);
            }
            return TRUE;
        },
        0);
}

// Every item of a tree control, parents before their children.
void CollectItems(HWND tree, HTREEITEM first, std::vector<HTREEITEM>& items) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        items.push_back(item);
        CollectItems(tree, TreeView_GetChild(tree, item), items);
    }
}

int ModelIdOf(HWND tree, HTREEITEM item) {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return static_cast<int>(query.lParam);
}

int StateImage(HWND tree, HTREEITEM item) {
    return static_cast<int>(TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK) >> 12);
}

void SetStateImage(HWND tree, HTREEITEM item, int image) {
    TreeView_SetItemState(tree, item, INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
}

std::string Preview(const char* prefix, const std::vector<uint8_t>& codes) {
    project::VcpSelection selection{};
    for (uint8_t code : codes) {
        selection[code] = 1;
    }
    return project::SelectionPreview(prefix, selection);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DWORD RunConsole(const std::string& arguments) {
    std::string commandLine = "\"" KESTROVA_CLI_EXE "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
        return ~DWORD{0};
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = ~DWORD{0};
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

class ProjectEditorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue::Catalogue().ClearCaps();
        // The groups a run walks hold ticks of their own, which no editor may change.
        catalogue::VcpGroupArray& groups = catalogue::VcpGroups();
        catalogue::ClearVcpGroupTicks(groups);
        groups[0].enabled = groups[7].enabled = true;
        groups[0].selected[1] = groups[0].selected[3] = groups[7].selected[0] = true;
        runGroups_ = groups;
        platform::SetCurrentDateTimeSource(&now_);
        dir_ = fs::temp_directory_path() /
               ("kestrova-editor-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        watchdog_ = SetTimer(nullptr, 0, 30000, EndDialogs);
        program_ = std::make_unique<Program>(GetModuleHandleA(nullptr), [] { return true; });
        ASSERT_TRUE(program_->StartUp(SW_SHOW));
    }

    void TearDown() override {
        program_.reset();
        KillTimer(nullptr, watchdog_);
        platform::SetCurrentDateTimeSource(nullptr);
        for (size_t g = 0; g < runGroups_.size(); ++g) {
            EXPECT_EQ(catalogue::VcpGroups()[g].enabled, runGroups_[g].enabled) << "group " << g;
            EXPECT_EQ(catalogue::VcpGroups()[g].selected, runGroups_[g].selected) << "group " << g;
        }
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // File > New Project... or Edit Project...; returns once the editor has closed, every step the
    // robot was given having run in it.
    void OpenFromMenu(UINT command) {
        SendMessageA(program_->Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        EXPECT_TRUE(robot_.Pending().empty());
        EXPECT_FALSE(editor_ != nullptr && IsWindow(editor_));
    }
    void WhenEditorUp(std::function<void()> step) {
        robot_.When(kEditorCaption, [this, step](HWND dialog) {
            editor_ = dialog;
            step();
        });
    }
    void Then(std::function<void()> step) {
        robot_.ThenWhen([] { return true; }, std::move(step), "next step");
    }
    // `step` once `ready` holds, which must be within `ms` of the last SetTicks.
    void ThenWithin(DWORD ms, std::function<bool()> ready, std::function<void()> step, const std::string& what) {
        robot_.ThenWhen(
            std::move(ready),
            [this, ms, step, what] {
                EXPECT_LE(GetTickCount64() - since_, ms) << what;
                step();
            },
            what);
    }
    // The Error box says `text`, belongs to the editor, and is dismissed.
    void WhenError(const std::string& text) {
        robot_.When("Error", [this, text](HWND box) {
            EXPECT_EQ(StaticTexts(box), text);
            EXPECT_EQ(GetWindow(box, GW_OWNER), editor_) << CaptionOf(GetWindow(box, GW_OWNER));
            Click(box, IDOK);
        });
    }
    void WhenSaveAs(const fs::path& path) {
        robot_.When("Save project as:", [path](HWND dialog) { AnswerFileDialog(dialog, path.string()); });
    }

    std::string Text(int id) const { return TextOf(GetDlgItem(editor_, id)); }
    bool Checked(int id) const { return IsDlgButtonChecked(editor_, id) == BST_CHECKED; }
    HWND Tree() const { return GetDlgItem(editor_, IDC_PROJECT_VCP_TREE); }
    std::vector<HTREEITEM> TreeItems() const {
        std::vector<HTREEITEM> items;
        CollectItems(Tree(), TreeView_GetRoot(Tree()), items);
        return items;
    }
    // Every item of the editor's tree unchecked, then the items of `codes` checked, by message: the control
    // reports none of it, and with `quiet` it does not even repaint (no custom draw).
    void SetTicks(const std::vector<uint8_t>& codes, bool quiet) {
        SendMessageA(Tree(), WM_SETREDRAW, quiet ? FALSE : TRUE, 0);
        for (HTREEITEM item : TreeItems()) {
            const project::VcpTreeItem& model = reference_.Item(ModelIdOf(Tree(), item));
            const bool tick = model.kind == project::VcpTreeItemKind::kCode &&
                              std::find(codes.begin(), codes.end(), model.code) != codes.end();
            SetStateImage(Tree(), item, tick ? 2 : 1);
        }
        since_ = GetTickCount64();
    }
    void RedrawTree() { SendMessageA(Tree(), WM_SETREDRAW, TRUE, 0); }

    platform::FixedDateTimeSource now_{kNow};
    catalogue::VcpGroupArray runGroups_{};
    fs::path dir_;
    UINT_PTR watchdog_ = 0;
    DialogRobot robot_;
    std::unique_ptr<Program> program_;
    HWND editor_ = nullptr;
    project::VcpTree reference_;  // the tree the editor builds, for the ids of its items
    ULONGLONG since_ = 0;
};

struct ListContent {
    int id;
    std::vector<std::string> items;
    int selected;
};

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char text[64] = {};
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// Inside the client area, no control over another (a group box holds only its own boxes), every
// text within its control in the dialog's font.
void ExpectLegibleLayout(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    struct Placed {
        std::string name;
        RECT rect;
        bool groupBox;
    };
    std::vector<Placed> placed;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        Placed control{ClassOf(child) + " \"" + TextOf(child) + "\"", {}, false};
        GetWindowRect(child, &control.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
        const RECT& rect = control.rect;
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
            << control.name;
        const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        const bool button = ClassOf(child) == "Button";
        control.groupBox = button && type == BS_GROUPBOX;
        for (const Placed& other : placed) {
            RECT both{};
            if (IntersectRect(&both, &rect, &other.rect) && !(control.groupBox && EqualRect(&both, &other.rect)) &&
                !(other.groupBox && EqualRect(&both, &rect))) {
                ADD_FAILURE() << control.name << " overlaps " << other.name;
            }
        }
        placed.push_back(control);
        const std::string label = TextOf(child);
        if ((ClassOf(child) == "Static" || button) && !label.empty()) {
            HDC dc = GetDC(child);
            HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
            RECT text{};
            DrawTextA(dc, label.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc, font);
            ReleaseDC(child, dc);
            const LONG box = button && type == BS_AUTOCHECKBOX ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
            EXPECT_LE(text.right + box, rect.right - rect.left) << control.name << " is cut";
            EXPECT_LE(text.bottom, rect.bottom - rect.top) << control.name << " is cut";
        }
    }
}

struct BoxText {
    int id;
    const char* text;
};
constexpr BoxText kPluginBoxes[] = {{IDC_PROJECT_VISTA, "Vista"},
                                    {IDC_PROJECT_ASSET_MANAGEMENT, "Asset management"},
                                    {IDC_PROJECT_THEFT_DETERRENCE, "Theft deterrence"},
                                    {IDC_PROJECT_ZONING_PIP, "PIP (Picture In Picture)"},
                                    {IDC_PROJECT_AUTO_PIVOT, "Auto Pivot"}};

TEST_F(ProjectEditorWindowTest, NewProjectShowsTheDefaultsTheCapsMarksAndALegibleLayout) {
    catalogue::Catalogue()[0x22].inCaps = true;  // group 12 only, below "Geometry"
    const project::ProjectEditorModel expected(kNow);
    WhenEditorUp([&] {
        EXPECT_EQ(Text(IDC_PROJECT_TITLE), "");
        EXPECT_EQ(Text(IDC_PROJECT_APPLICATION_KEY), "FF");
        EXPECT_EQ(Text(IDC_PROJECT_COMMENTS), "Edited 14:07 Monday, December 7, 2026: ");
        EXPECT_EQ(Text(IDC_PROJECT_ANALOG_PREVIEW), expected.AnalogPreview());
        EXPECT_EQ(Text(IDC_PROJECT_DIGITAL_PREVIEW), expected.DigitalPreview());
        EXPECT_EQ(Text(IDC_PROJECT_CHECKSUM), expected.ChecksumText());
        for (const ListContent& list : {ListContent{IDC_PROJECT_TEST_TYPE, {"not specified", "Automatic", "Manual"}, 1},
                                        ListContent{IDC_PROJECT_LEVEL, {"not specified", "Standard"}, 1}}) {
            EXPECT_EQ(ListItems(GetDlgItem(editor_, list.id)), list.items);
            EXPECT_EQ(SendDlgItemMessageA(editor_, list.id, CB_GETCURSEL, 0, 0), list.selected);
        }
        for (const BoxText& box : kPluginBoxes) {
            EXPECT_EQ(Text(box.id), box.text);
            EXPECT_FALSE(Checked(box.id)) << box.text;
        }
        for (int id : {IDC_PROJECT_CHECKSUM, IDC_PROJECT_ANALOG_PREVIEW, IDC_PROJECT_DIGITAL_PREVIEW}) {
            const LONG style = ES_READONLY | (id == IDC_PROJECT_CHECKSUM ? ES_CENTER : ES_MULTILINE);
            EXPECT_EQ(GetWindowLongA(GetDlgItem(editor_, id), GWL_STYLE) & style, style) << id;
        }
        EXPECT_EQ(TreeView_GetCount(GetDlgItem(editor_, IDC_PROJECT_ADDITIONAL_TESTS)), 0u);
        EXPECT_EQ(TreeView_GetCount(Tree()), expected.Tree().Size());
        std::set<std::string> tickedBold;
        for (HTREEITEM item : TreeItems()) {
            const project::VcpTreeItem& model = expected.Tree().Item(ModelIdOf(Tree(), item));
            const bool bold = (TreeView_GetItemState(Tree(), item, TVIS_BOLD) & TVIS_BOLD) != 0;
            EXPECT_EQ(StateImage(Tree(), item), model.Ticked() ? 2 : 1) << model.label;
            EXPECT_EQ(bold, model.bold) << model.label;
            if (bold && StateImage(Tree(), item) == 2) {
                tickedBold.insert(model.label);
            }
        }
        EXPECT_EQ(tickedBold.count("Geometry"), 1u);
        EXPECT_EQ(tickedBold.count("Horzontal geometry."), 1u);
        ExpectLegibleLayout(editor_);
        Click(editor_, IDCANCEL);
    });
    OpenFromMenu(IDM_NEW_PROJECT);
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ProjectEditorWindowTest, TimerBringsTheTreesTicksIntoThePreviewsAndTheSavedSelection) {
    project::BuildVcpTree(reference_, true);
    struct Case {
        const char* name;
        std::vector<uint8_t> ticked;
        std::vector<uint8_t> saved;
    };
    for (const Case& c : {Case{"nothing ticked", {}, {}}, Case{"0x10 and 0x20", {0x10, 0x20}, {0x10}}}) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir_ / (std::string(c.name) + ".vmdProj");
        WhenEditorUp([&] {
            SetText(editor_, IDC_PROJECT_TITLE, "abc");
            SetText(editor_, IDC_PROJECT_APPLICATION_KEY, "01");
            SetTicks(c.ticked, true);
        });
        ThenWithin(
            kTimerSlackMs,
            [&] {
                return Text(IDC_PROJECT_ANALOG_PREVIEW) == Preview(project::kAnalogPreviewPrefix, c.ticked) &&
                       Text(IDC_PROJECT_DIGITAL_PREVIEW) == Preview(project::kDigitalPreviewPrefix, c.saved);
            },
            [&] {
                RedrawTree();
                Click(editor_, IDOK);
            },
            "the previews of the new ticks");
        WhenSaveAs(path);
        OpenFromMenu(IDM_NEW_PROJECT);
        project::ProjectRecord saved;
        ASSERT_EQ(project::ReadProjectFile(path.string(), saved), project::ProjectReadError::kNone);
        for (int code = 0; code < 256; ++code) {
            EXPECT_EQ(saved.selection[code] != 0, std::count(c.saved.begin(), c.saved.end(), code) != 0) << code;
        }
    }
}

TEST_F(ProjectEditorWindowTest, OkRefusesTheTitleAndKeysInOrderAndACancelledSaveWritesNothing) {
    project::BuildVcpTree(reference_, true);
    WhenEditorUp([&] { Click(editor_, IDOK); });
    WhenError(project::kTitleMissingText);
    Then([&] {
        for (int i = 0; i < 300; ++i) {
            PostMessageA(GetDlgItem(editor_, IDC_PROJECT_TITLE), WM_CHAR, 'x', 1);
        }
    });
    Then([&] { EXPECT_EQ(Text(IDC_PROJECT_TITLE), std::string(299, 'x')); });
    struct Refused {
        const char* key;
        const char* error;
    };
    for (const Refused& refused : {Refused{"F", project::kKeyNotTwoHexText}, Refused{"FFF", project::kKeyNotTwoHexText},
                                   Refused{"FF", project::kKeyIsDefaultText}}) {
        Then([this, key = std::string(refused.key)] {
            SetText(editor_, IDC_PROJECT_APPLICATION_KEY, key);
            Click(editor_, IDOK);
        });
        WhenError(refused.error);
    }
    // Refused, the editor stays open with its timer going again.
    Then([&] { SetTicks({}, true); });
    ThenWithin(
        kTimerSlackMs, [&] { return Text(IDC_PROJECT_ANALOG_PREVIEW) == "Analog - vcp)"; },
        [&] {
            RedrawTree();
            SetText(editor_, IDC_PROJECT_APPLICATION_KEY, "ff");
            Click(editor_, IDOK);
        },
        "the timer after a refused OK");
    robot_.When("Save project as:", [](HWND dialog) {
        const std::string proposed = TextOf(FileNameField(dialog));
        EXPECT_EQ(proposed.size(), project::kMaxFileNameLength);
        EXPECT_EQ(proposed, project::DefaultProjectFileName(std::string(299, 'x')));
        Click(dialog, IDCANCEL);
    });
    OpenFromMenu(IDM_NEW_PROJECT);
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ProjectEditorWindowTest, PluginBoxesTickTheirGroupAndCodesAndVistaLeavesTheTree) {
    project::BuildVcpTree(reference_, true);
    struct Case {
        int box;
        int group;  // -1: none
    };
    const Case cases[] = {{IDC_PROJECT_ASSET_MANAGEMENT, 2},
                          {IDC_PROJECT_THEFT_DETERRENCE, 3},
                          {IDC_PROJECT_ZONING_PIP, 5},
                          {IDC_PROJECT_AUTO_PIVOT, 4},
                          {IDC_PROJECT_VISTA, -1}};
    WhenEditorUp([] {});
    for (const Case& c : cases) {
        std::vector<uint8_t> codes;
        if (c.group >= 0) {
            for (int32_t code : catalogue::kVcpGroupDefinitions[c.group].codes) {
                codes.push_back(static_cast<uint8_t>(code));
            }
        }
        for (const bool checked : {true, false}) {
            // The box is clicked before any recollection has seen the unticked tree.
            Then([&, c] {
                SetTicks({}, true);
                SendMessageA(GetDlgItem(editor_, c.box), BM_CLICK, 0, 0);
            });
            Then([&, c, codes, checked] {
                SCOPED_TRACE(Text(c.box) + (checked ? " checked" : " cleared"));
                EXPECT_EQ(Checked(c.box), checked);
                for (HTREEITEM item : TreeItems()) {
                    const project::VcpTreeItem& model = reference_.Item(ModelIdOf(Tree(), item));
                    EXPECT_EQ(StateImage(Tree(), item), checked && c.group >= 0 && model.group == c.group ? 2 : 1)
                        << model.label;
                }
                EXPECT_EQ(Text(IDC_PROJECT_ANALOG_PREVIEW),
                          Preview(project::kAnalogPreviewPrefix, checked ? codes : std::vector<uint8_t>{}));
            });
        }
    }
    Then([&] { Click(editor_, IDCANCEL); });
    OpenFromMenu(IDM_NEW_PROJECT);
}

TEST_F(ProjectEditorWindowTest, EditedFileShowsItsFieldsAndIsSavedWithTheChecksumItShowed) {
    struct Case {
        const char* name;
        uint16_t level;
        int levelShown;
        uint16_t levelSaved;
    };
    for (const Case& c : {Case{"Standard", 1, 1, 1}, Case{"level 2", 2, -1, 0xFFFF}}) {
        SCOPED_TRACE(c.name);
        project::ProjectRecord record;
        record.title = "VM-24";
        record.testType = project::kTestTypeManual;
        record.level = c.level;
        record.pluginBits = project::kPluginVista | project::kPluginTheftDeterrence;
        record.applicationKey = "3c";
        record.selection[0x59] = record.selection[0x62] = 1;
        record.comments = "kept";
        const fs::path original = dir_ / "original.vmdProj";
        const fs::path saved = dir_ / (std::string(c.name) + ".vmdProj");
        ASSERT_TRUE(project::WriteProjectFile(original.string(), record));
        project::ProjectEditorModel loaded(kNow);
        loaded.Load(record);
        std::string shownChecksum;
        robot_.When("Open project:", [&](HWND dialog) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, cmb1)), "Project");  // "Files of type"
            AnswerFileDialog(dialog, original.string());
        });
        WhenEditorUp([&] {
            EXPECT_EQ(Text(IDC_PROJECT_TITLE), "VM-24");
            EXPECT_EQ(SendDlgItemMessageA(editor_, IDC_PROJECT_TEST_TYPE, CB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(SendDlgItemMessageA(editor_, IDC_PROJECT_LEVEL, CB_GETCURSEL, 0, 0), c.levelShown);
            for (const BoxText& box : kPluginBoxes) {
                const bool inFile = box.id == IDC_PROJECT_VISTA || box.id == IDC_PROJECT_THEFT_DETERRENCE;
                EXPECT_EQ(Checked(box.id), inFile) << box.text;
            }
            EXPECT_EQ(Text(IDC_PROJECT_APPLICATION_KEY), "3c");
            EXPECT_EQ(Text(IDC_PROJECT_COMMENTS), "kept");
            EXPECT_EQ(Text(IDC_PROJECT_ANALOG_PREVIEW), loaded.AnalogPreview());
            shownChecksum = Text(IDC_PROJECT_CHECKSUM);
            Click(editor_, IDOK);
        });
        WhenSaveAs(saved);
        OpenFromMenu(IDM_EDIT_PROJECT);
        project::ProjectRecord read;
        ASSERT_EQ(project::ReadProjectFile(saved.string(), read), project::ProjectReadError::kNone);
        EXPECT_EQ(read.level, c.levelSaved);
        EXPECT_EQ(read.selection[0x59] + read.selection[0x62], 2);
        EXPECT_EQ(project::ChecksumText(project::ProjectChecksum(read)), shownChecksum);
    }
}

TEST_F(ProjectEditorWindowTest, RefusedFileIsReportedOverTheEditorWhichKeepsItsDefaults) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* text;
    };
    std::vector<uint8_t> newer(project::kProjectRecordSize, 'n');
    newer[0] = 2;
    newer[1] = 0;
    const Case cases[] = {{"version 2", newer, project::kUnsupportedVersionText},
                          {"short", {1, 0, 'a', 'b'}, project::kDamagedProjectText}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir_ / "refused.vmdProj";
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(c.bytes.data()), static_cast<std::streamsize>(c.bytes.size()));
        robot_.When("Open project:", [&](HWND dialog) { AnswerFileDialog(dialog, path.string()); });
        robot_.When("Error", [&](HWND box) {
            EXPECT_EQ(StaticTexts(box), c.text);
            EXPECT_EQ(CaptionOf(GetWindow(box, GW_OWNER)), kEditorCaption);
            Click(box, IDOK);
        });
        WhenEditorUp([&] {
            EXPECT_EQ(Text(IDC_PROJECT_TITLE), "");
            EXPECT_EQ(Text(IDC_PROJECT_APPLICATION_KEY), "FF");
            EXPECT_EQ(Text(IDC_PROJECT_COMMENTS), "Edited 14:07 Monday, December 7, 2026: ");
            Click(editor_, IDCANCEL);
        });
        OpenFromMenu(IDM_EDIT_PROJECT);
    }
}

TEST_F(ProjectEditorWindowTest, ProjectMadeInTheEditorIsTheConsolesProjectNewButForTheComments) {
    project::BuildVcpTree(reference_, true);
    struct Case {
        const char* name;
        std::string options;
        std::string title;
        std::string key;
        int testType;
        int level;
        std::vector<int> boxes;
        std::vector<uint8_t> codes;  // empty: the tree as it opens
    };
    const Case cases[] = {
        {"lists and plug-ins",
         "--title \"VM-24 Pro\" --key a5 --test-type manual --level none --plugins vista,theft-deterrence",
         "VM-24 Pro",
         "a5",
         2,
         0,
         {IDC_PROJECT_VISTA, IDC_PROJECT_THEFT_DETERRENCE},
         {}},
        {"codes", "--title abc --key 0a --codes 10,60", "abc", "0a", 1, 1, {}, {0x10, 0x60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path console = dir_ / (std::string(c.name) + " console.vmdProj");
        const fs::path window = dir_ / (std::string(c.name) + " window.vmdProj");
        ASSERT_EQ(RunConsole("project new " + c.options + " \"" + console.string() + "\""), 0u);
        WhenEditorUp([&] {
            SetText(editor_, IDC_PROJECT_TITLE, c.title);
            SetText(editor_, IDC_PROJECT_APPLICATION_KEY, c.key);
            SendDlgItemMessageA(editor_, IDC_PROJECT_TEST_TYPE, CB_SETCURSEL, static_cast<WPARAM>(c.testType), 0);
            SendDlgItemMessageA(editor_, IDC_PROJECT_LEVEL, CB_SETCURSEL, static_cast<WPARAM>(c.level), 0);
            if (!c.codes.empty()) {
                SetTicks(c.codes, false);
            }
            for (int box : c.boxes) {
                SendMessageA(GetDlgItem(editor_, box), BM_CLICK, 0, 0);
            }
            Click(editor_, IDOK);
        });
        WhenSaveAs(window);
        OpenFromMenu(IDM_NEW_PROJECT);
        std::vector<uint8_t> expected = ReadBytes(console);
        std::vector<uint8_t> made = ReadBytes(window);
        ASSERT_EQ(expected.size(), project::kProjectRecordSize);
        ASSERT_EQ(made.size(), project::kProjectRecordSize);
        std::fill(expected.begin() + project::kCommentsOffset, expected.end(), 0);
        std::fill(made.begin() + project::kCommentsOffset, made.end(), 0);
        EXPECT_EQ(made, expected);
    }
}

}  // namespace
}  // namespace kestrova::app::win32

int main(int argc, char** argv) {
    return kestrova::app::win32::testing::RunAllTestsOnOwnDesktop(argc, argv);
}
