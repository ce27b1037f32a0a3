// The resources of the built Kestrova.exe, read from the file as data: the strings, icons, menu,
// accelerators and dialog templates the window and its dialogs load, with the identifiers, texts,
// fonts and dialog-unit positions the engineer's documentation fixes. The templates are parsed
// here byte by byte, so what is checked is what the resource compiler wrote.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The build passes the program's path as the build machine sees it; Wine reaches it through Z:.
std::string ProgramPath() {
    const std::string path = KESTROVA_WINDOW_EXE;
    return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

struct DialogItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    WORD classAtom = 0;  // 0 when the class is named
    std::string className;
    std::string title;
    WORD titleOrdinal = 0;  // e.g. the icon of an SS_ICON static
};

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string title;
    WORD pointSize = 0;
    std::string typeface;
    std::vector<DialogItem> items;

    const DialogItem* Item(DWORD id) const {
        auto it = std::find_if(items.begin(), items.end(), [id](const DialogItem& item) { return item.id == id; });
        return it == items.end() ? nullptr : &*it;
    }
    const DialogItem* ItemTitled(const std::string& text) const {
        auto it = std::find_if(items.begin(), items.end(), [&](const DialogItem& item) { return item.title == text; });
        return it == items.end() ? nullptr : &*it;
    }
};

// Reads a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX records; nullopt when the bytes are not one.
class TemplateReader {
  public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    std::optional<DialogTemplate> Read() {
        DialogTemplate dialog;
        const WORD version = Word();
        const WORD signature = Word();
        if (version != 1 || signature != 0xFFFF) {
            return std::nullopt;
        }
        Dword();  // help id
        Dword();  // extended style
        dialog.style = Dword();
        const WORD count = Word();
        Short();  // x
        Short();  // y
        dialog.cx = Short();
        dialog.cy = Short();
        SizeOrOrdinal();  // menu
        SizeOrOrdinal();  // window class
        dialog.title = String();
        if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
            dialog.pointSize = Word();
            Word();  // weight
            Byte();  // italic
            Byte();  // character set
            dialog.typeface = String();
        }
        for (WORD i = 0; i < count && ok_; ++i) {
            Align();
            DialogItem item;
            Dword();  // help id
            item.exStyle = Dword();
            item.style = Dword();
            item.x = Short();
            item.y = Short();
            item.cx = Short();
            item.cy = Short();
            item.id = Dword();
            const auto [classAtom, className] = SizeOrOrdinal();
            item.classAtom = classAtom;
            item.className = className;
            const auto [titleOrdinal, title] = SizeOrOrdinal();
            item.titleOrdinal = titleOrdinal;
            item.title = title;
            const WORD extra = Word();
            offset_ += extra;
            dialog.items.push_back(item);
        }
        if (!ok_ || offset_ > size_) {
            return std::nullopt;
        }
        return dialog;
    }

  private:
    template <typename T>
    T Take() {
        T value{};
        if (offset_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    BYTE Byte() { return Take<BYTE>(); }
    WORD Word() { return Take<WORD>(); }
    short Short() { return Take<short>(); }
    DWORD Dword() { return Take<DWORD>(); }
    void Align() { offset_ = (offset_ + 3) & ~size_t{3}; }

    // A NUL-terminated UTF-16 text; the templates hold ASCII only.
    std::string String() {
        std::string text;
        for (WORD c = Word(); c != 0 && ok_; c = Word()) {
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }
    // 0x0000: nothing; 0xFFFF then an ordinal; else a text.
    std::pair<WORD, std::string> SizeOrOrdinal() {
        if (offset_ + 2 > size_) {
            ok_ = false;
            return {};
        }
        WORD first = 0;
        std::memcpy(&first, data_ + offset_, 2);
        if (first == 0xFFFF) {
            offset_ += 2;
            return {Word(), std::string()};
        }
        return {0, String()};
    }

    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

class ResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ =
            LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << ProgramPath() << ": error " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    std::vector<BYTE> Resource(WORD id, LPCSTR type) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (found == nullptr) {
            return {};
        }
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* bytes = static_cast<const BYTE*>(LockResource(loaded));
        return bytes == nullptr ? std::vector<BYTE>{}
                                : std::vector<BYTE>(bytes, bytes + SizeofResource(module_, found));
    }

    DialogTemplate Dialog(WORD id) const {
        const std::vector<BYTE> bytes = Resource(id, MAKEINTRESOURCEA(5));  // RT_DIALOG
        EXPECT_FALSE(bytes.empty()) << "no dialog " << id;
        std::optional<DialogTemplate> dialog = TemplateReader(bytes.data(), bytes.size()).Read();
        EXPECT_TRUE(dialog.has_value()) << "dialog " << id << " is no extended template";
        return dialog.value_or(DialogTemplate{});
    }

    HMODULE module_ = nullptr;
};

void ExpectPlace(const DialogItem* item, short x, short y, short cx, short cy, const std::string& name) {
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->x, x) << name;
    EXPECT_EQ(item->y, y) << name;
    EXPECT_EQ(item->cx, cx) << name;
    EXPECT_EQ(item->cy, cy) << name;
}

void ExpectButton(const DialogTemplate& dialog, DWORD id, const std::string& text) {
    const DialogItem* item = dialog.Item(id);
    ASSERT_NE(item, nullptr) << dialog.title << ": no control " << id;
    EXPECT_EQ(item->classAtom, kButtonAtom) << dialog.title << " " << id;
    EXPECT_EQ(item->title, text) << dialog.title << " " << id;
}

// A label "text" stands left of the field `id`, on its line.
void ExpectLabelledField(const DialogTemplate& dialog, const std::string& label, DWORD id, WORD atom = kEditAtom) {
    const DialogItem* field = dialog.Item(id);
    const DialogItem* text = dialog.ItemTitled(label);
    ASSERT_NE(field, nullptr) << dialog.title << ": no field " << id;
    ASSERT_NE(text, nullptr) << dialog.title << ": no label \"" << label << "\"";
    EXPECT_EQ(field->classAtom, atom) << id;
    EXPECT_EQ(text->classAtom, kStaticAtom) << label;
    EXPECT_LE(text->x + text->cx, field->x) << label << " is not left of " << id;
    EXPECT_LT(text->y, field->y + field->cy) << label << " is not on the line of " << id;
    EXPECT_GT(text->y + text->cy, field->y) << label << " is not on the line of " << id;
}

bool Inside(const DialogItem& inner, const DialogItem& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}

TEST_F(ResourcesTest, WindowTitleAndClassNameStrings) {
    const struct {
        UINT id;
        const char* text;
    } strings[] = {{103, "Kestrova"}, {109, "KESTROVA"}};
    for (const auto& expected : strings) {
        char text[100] = {};
        EXPECT_GT(LoadStringA(module_, expected.id, text, sizeof text), 0) << expected.id;
        EXPECT_STREQ(text, expected.text) << expected.id;
    }
}

TEST_F(ResourcesTest, ProgramIconAndSmallIconHoldTheirSizes) {
    // The class icon is shown 32 pixels wide, the small one 16.
    const struct {
        WORD id;
        BYTE size;
    } icons[] = {{107, 32}, {108, 16}};
    for (const auto& icon : icons) {
        const std::vector<BYTE> group = Resource(icon.id, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_GE(group.size(), 6u) << "no icon group " << icon.id;
        WORD count = 0;
        std::memcpy(&count, group.data() + 4, 2);
        ASSERT_EQ(group.size(), 6u + 14u * count) << icon.id;
        bool found = false;
        for (WORD i = 0; i < count; ++i) {
            const BYTE* entry = group.data() + 6 + 14 * i;
            found = found || (entry[0] == icon.size && entry[1] == icon.size);
        }
        EXPECT_TRUE(found) << "icon " << icon.id << " has no " << int(icon.size) << "x" << int(icon.size) << " image";
    }
}

TEST_F(ResourcesTest, MenuHoldsTheFileAndSettingsItemsWithManualChecked) {
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(109));
    ASSERT_NE(menu, nullptr);
    struct Item {
        UINT id;  // 0: separator
        const char* text;
        bool checked;
    };
    const struct {
        const char* caption;
        std::vector<Item> items;
    } popups[] = {
        {"File",
         {{32771, "New Project...", false}, {32772, "Edit Project...", false}, {0, "", false}, {105, "E&xit", false}}},
        {"Settings", {{32773, "Automatic", false}, {32774, "Manual", true}, {0, "", false}}},
    };
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(std::size(popups)));
    for (UINT p = 0; p < std::size(popups); ++p) {
        char caption[64] = {};
        GetMenuStringA(menu, p, caption, sizeof caption, MF_BYPOSITION);
        std::string plain(caption);
        plain.erase(std::remove(plain.begin(), plain.end(), '&'), plain.end());
        EXPECT_EQ(plain, popups[p].caption);
        HMENU popup = GetSubMenu(menu, static_cast<int>(p));
        ASSERT_NE(popup, nullptr) << popups[p].caption;
        const std::vector<Item>& items = popups[p].items;
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size())) << popups[p].caption;
        for (UINT i = 0; i < items.size(); ++i) {
            char text[64] = {};
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
            info.dwTypeData = text;
            info.cch = sizeof text;
            ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info)) << popups[p].caption << " " << i;
            const std::string where = std::string(popups[p].caption) + " item " + std::to_string(i);
            EXPECT_EQ(info.hSubMenu, nullptr) << where;
            if (items[i].id == 0) {
                EXPECT_NE(info.fType & MFT_SEPARATOR, 0u) << where;
                continue;
            }
            EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u) << where;
            EXPECT_EQ(info.wID, items[i].id) << where;
            EXPECT_STREQ(text, items[i].text) << where;
            EXPECT_EQ((info.fState & MFS_CHECKED) != 0, items[i].checked) << where;
            EXPECT_EQ(info.fState & MFS_GRAYED, 0u) << where;
        }
    }
    DestroyMenu(menu);
}

TEST_F(ResourcesTest, AltQuestionMarkAndAltSlashShowTheAboutBox) {
    HACCEL table = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(109));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    const int count = CopyAcceleratorTableA(table, entries, 8);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; ++i) {
        // A character key (not a virtual key) with Alt held.
        EXPECT_EQ(entries[i].fVirt, FALT) << "entry " << i;
        EXPECT_EQ(entries[i].cmd, 104) << "entry " << i;
    }
    std::vector<WORD> keys = {entries[0].key, entries[1].key};
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<WORD>{'/', '?'}));
    DestroyAcceleratorTable(table);
}

TEST_F(ResourcesTest, AboutBoxTemplate) {
    const DialogTemplate about = Dialog(103);
    EXPECT_EQ(about.title, "About");
    EXPECT_EQ(about.typeface, "System");
    EXPECT_EQ(about.pointSize, 8);
    EXPECT_EQ(about.cx, 230);
    EXPECT_EQ(about.cy, 75);
    const auto icon = std::find_if(about.items.begin(), about.items.end(), [](const DialogItem& item) {
        return item.classAtom == kStaticAtom && (item.style & SS_TYPEMASK) == SS_ICON;
    });
    ASSERT_NE(icon, about.items.end()) << "no icon";
    EXPECT_EQ(icon->titleOrdinal, 107);
    const DialogItem* version = about.ItemTitled("Kestrova Version 4.0");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->classAtom, kStaticAtom);
    ExpectButton(about, IDOK, "OK");
}

TEST_F(ResourcesTest, CheckoffInformationTemplate) {
    const DialogTemplate checkoff = Dialog(129);
    EXPECT_EQ(checkoff.title, "VCP Checkoff Information");
    EXPECT_EQ(checkoff.typeface, "Arial");
    EXPECT_EQ(checkoff.pointSize, 10);
    EXPECT_EQ(checkoff.cx, 321);
    EXPECT_EQ(checkoff.cy, 136);
    const struct {
        const char* label;
        DWORD field;
    } fields[] = {{"User Name:", 1000},
                  {"Revision Number:", 1001},
                  {"Locking Code (in hex):", 1002},
                  {"Firmware Version:", 1003},
                  {"Firmware Date:", 1004}};
    int rightmostField = 0;
    for (const auto& field : fields) {
        ExpectLabelledField(checkoff, field.label, field.field);
        if (const DialogItem* item = checkoff.Item(field.field)) {
            rightmostField = std::max(rightmostField, item->x + item->cx);
        }
    }
    const DialogItem* lockingLabel = checkoff.Item(1037);
    ASSERT_NE(lockingLabel, nullptr);
    EXPECT_EQ(lockingLabel->title, "Locking Code (in hex):");
    ExpectButton(checkoff, IDOK, "OK");
    ExpectButton(checkoff, IDCANCEL, "Cancel");
    for (DWORD id : {DWORD{IDOK}, DWORD{IDCANCEL}}) {
        if (const DialogItem* button = checkoff.Item(id)) {
            EXPECT_GE(button->x, rightmostField) << "button " << id << " stands right of the fields";
        }
    }
}

TEST_F(ResourcesTest, VcpSelectionTemplate) {
    const DialogTemplate selection = Dialog(130);
    EXPECT_EQ(selection.title, "VCP Check Off Information");
    EXPECT_EQ(selection.typeface, "MS Shell Dlg");
    EXPECT_EQ(selection.pointSize, 8);
    EXPECT_EQ(selection.cx, 413);
    EXPECT_EQ(selection.cy, 311);

    const DialogItem* tree = selection.Item(1006);
    ExpectPlace(tree, 7, 28, 303, 227, "tree 1006");
    ASSERT_NE(tree, nullptr);
    // Class names are matched without regard to case (the resource compiler may upper-case them).
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, tree->className.c_str(), -1, "SysTreeView32", -1),
              CSTR_EQUAL)
        << tree->className;
    const DWORD treeStyle = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES | TVS_INFOTIP;
    EXPECT_EQ(tree->style & treeStyle, treeStyle) << std::hex << tree->style;

    const DialogItem* capabilities = selection.Item(1023);
    ExpectPlace(capabilities, 7, 263, 304, 41, "static 1023");
    ASSERT_NE(capabilities, nullptr);
    EXPECT_EQ(capabilities->classAtom, kStaticAtom);
    EXPECT_NE(capabilities->style & SS_SUNKEN, 0u);

    const DialogItem* label = selection.ItemTitled("VCP Codes");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->classAtom, kStaticAtom);
    ExpectButton(selection, IDOK, "OK");
    ExpectButton(selection, IDCANCEL, "Cancel");
    ExpectButton(selection, 1007, "Deselect All");
    ExpectButton(selection, 1008, "Add Custom");
}

TEST_F(ResourcesTest, AddCustomVcpTemplate) {
    const DialogTemplate custom = Dialog(131);
    EXPECT_EQ(custom.title, "Add custom VCP");
    ExpectLabelledField(custom, "VCP Code (0x):", 1009);
    ExpectLabelledField(custom, "VCP Name:", 1010);
    ExpectLabelledField(custom, "Min", 1018);
    ExpectLabelledField(custom, "Max", 1019);
    for (DWORD id : {DWORD{1018}, DWORD{1019}}) {
        if (const DialogItem* field = custom.Item(id)) {
            EXPECT_NE(field->style & ES_NUMBER, 0u) << id << " takes digits only";
        }
    }
    // Each group box with the choices it holds.
    const struct {
        const char* group;
        std::vector<std::pair<DWORD, const char*>> members;
    } groups[] = {
        {"Test", {{1011, "Manual Test"}, {1012, "Automatic Test"}}},
        {"Continuous", {{1013, "C (Continuous)"}, {1014, "NC (Not Continuous)"}}},
        {"VCP Type", {{1015, "R/W (Read/Write)"}, {1016, "RO (Read Only)"}, {1017, "WO (Write Only)"}}},
        {"NC Attributes", {{1018, ""}, {1019, ""}}},
    };
    for (const auto& group : groups) {
        const DialogItem* box = custom.ItemTitled(group.group);
        ASSERT_NE(box, nullptr) << "no group \"" << group.group << "\"";
        EXPECT_EQ(box->classAtom, kButtonAtom) << group.group;
        EXPECT_EQ(box->style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)) << group.group;
        for (const auto& [id, text] : group.members) {
            const DialogItem* member = custom.Item(id);
            ASSERT_NE(member, nullptr) << id;
            EXPECT_TRUE(Inside(*member, *box)) << id << " outside \"" << group.group << "\"";
            if (*text != '\0') {
                EXPECT_EQ(member->title, text) << id;
                EXPECT_EQ(member->classAtom, kButtonAtom) << id;
                const DWORD type = member->style & BS_TYPEMASK;
                EXPECT_TRUE(type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) << id << ": " << type;
            }
        }
    }
    ExpectButton(custom, 1020, "Get Discrete Value");
    if (const DialogItem* box = custom.Item(1020)) {
        const DWORD type = box->style & BS_TYPEMASK;
        EXPECT_TRUE(type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) << type;
    }
    ExpectButton(custom, IDOK, "OK");
    ExpectButton(custom, IDCANCEL, "Cancel");
}

TEST_F(ResourcesTest, RedoYesNoQuestionTemplate) {
    const DialogTemplate question = Dialog(138);
    EXPECT_EQ(question.typeface, "MS Shell Dlg");
    EXPECT_EQ(question.pointSize, 8);
    EXPECT_EQ(question.cx, 234);
    EXPECT_EQ(question.cy, 81);
    const struct {
        DWORD id;
        const char* text;
        short x;
        bool isDefault;
    } buttons[] = {{1040, "Redo", 15, false}, {1041, "Yes", 92, false}, {1042, "No", 167, true}};
    for (const auto& button : buttons) {
        ExpectButton(question, button.id, button.text);
        ExpectPlace(question.Item(button.id), button.x, 49, 50, 14, button.text);
        if (const DialogItem* item = question.Item(button.id)) {
            EXPECT_EQ((item->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, button.isDefault) << button.text;
        }
    }
    ExpectPlace(question.Item(1043), 20, 17, 200, 24, "static 1043");
    if (const DialogItem* text = question.Item(1043)) {
        EXPECT_EQ(text->classAtom, kStaticAtom);
    }
    // The four controls and nothing else: no Cancel button for Escape to find.
    EXPECT_EQ(question.items.size(), 4u);
}

}  // namespace
