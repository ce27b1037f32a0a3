#include "project/win32/vcp_tree_view.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

namespace kestrova::project::win32 {

namespace {

constexpr int kImageSize = 16;
constexpr int kImageGrowth = 5;
constexpr int kStateImageShift = 12;

UINT StateImageMaskOf(TickState tick) {
    return INDEXTOSTATEIMAGEMASK(static_cast<UINT>(StateImageOf(tick)));
}

int StateImageOfItem(HWND control, HTREEITEM item) {
    const LRESULT state = SendMessageA(control, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK);
    return static_cast<int>((static_cast<UINT>(state) & TVIS_STATEIMAGEMASK) >> kStateImageShift);
}

void SetStateImage(HWND control, HTREEITEM item, TickState tick) {
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = StateImageMaskOf(tick);
    change.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(control, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

// The check boxes' state images are made when the style is added to a live control. A control
// created with the style makes them only when it first paints, and then sets every item it holds
// to "unchecked"; so the style is added again (taken off first) before the control is filled.
void GiveCheckBoxes(HWND control) {
    if (SendMessageA(control, TVM_GETIMAGELIST, TVSIL_STATE, 0) != 0) {
        return;
    }
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if ((style & TVS_CHECKBOXES) != 0) {
        SetWindowLongPtrA(control, GWL_STYLE, style & ~static_cast<LONG_PTR>(TVS_CHECKBOXES));
    }
    SetWindowLongPtrA(control, GWL_STYLE, style | TVS_CHECKBOXES);
}

}  // namespace

int StateImageOf(TickState tick) {
    switch (tick) {
        case TickState::kNoImage:
            return 0;
        case TickState::kUnchecked:
            return 1;
        case TickState::kChecked:
            return 2;
    }
    return 1;
}

TickState TickOfStateImage(int image) {
    if (image <= 0) {
        return TickState::kNoImage;
    }
    return image == 1 ? TickState::kUnchecked : TickState::kChecked;
}

void VcpTreeView::Render(HWND control, const VcpTree& tree) {
    control_ = control;
    items_.clear();
    HIMAGELIST images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR32, 0, kImageGrowth);
    const LRESULT previous = SendMessageA(control, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    if (previous != 0) {
        ImageList_Destroy(reinterpret_cast<HIMAGELIST>(previous));
    }

    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    SendMessageA(control, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    GiveCheckBoxes(control);
    items_.reserve(tree.Size());
    for (size_t id = 0; id < tree.Size(); ++id) {
        const VcpTreeItem& item = tree.Items()[id];
        TVINSERTSTRUCTA insert{};
        insert.hParent = item.parent == kNoItem ? TVI_ROOT : ItemOf(item.parent);
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(item.label.c_str());
        insert.item.state = StateImageMaskOf(item.tick) | (item.bold ? TVIS_BOLD : 0u);
        insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
        insert.item.lParam = static_cast<LPARAM>(id);
        const auto handle =
            reinterpret_cast<HTREEITEM>(SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        items_.push_back(handle);
        // With check boxes the control hands a new item the unchecked image whatever it was given;
        // an item that is to have no image loses it again here.
        if (handle != nullptr && StateImageOfItem(control, handle) != StateImageOf(item.tick)) {
            SetStateImage(control, handle, item.tick);
        }
    }
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void VcpTreeView::ReleaseImageList() {
    if (control_ == nullptr || !IsWindow(control_)) {
        return;
    }
    const LRESULT images = SendMessageA(control_, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    if (images != 0) {
        ImageList_Destroy(reinterpret_cast<HIMAGELIST>(images));
    }
}

void VcpTreeView::ReadTicks(VcpTree& tree) const {
    const size_t count = std::min(items_.size(), tree.Size());
    for (size_t id = 0; id < count; ++id) {
        if (items_[id] != nullptr) {
            tree.Item(static_cast<int>(id)).tick = TickOfStateImage(StateImageOfItem(control_, items_[id]));
        }
    }
}

void VcpTreeView::WriteTicks(const VcpTree& tree) const {
    const size_t count = std::min(items_.size(), tree.Size());
    for (size_t id = 0; id < count; ++id) {
        if (items_[id] != nullptr) {
            SetStateImage(control_, items_[id], tree.Items()[id].tick);
        }
    }
}

int VcpTreeView::IdOf(HTREEITEM item) const {
    if (item == nullptr) {
        return kNoItem;
    }
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) == 0) {
        return kNoItem;
    }
    const LPARAM id = query.lParam;
    if (id < 0 || static_cast<size_t>(id) >= items_.size() || items_[static_cast<size_t>(id)] != item) {
        return kNoItem;
    }
    return static_cast<int>(id);
}

HTREEITEM VcpTreeView::ItemOf(int id) const {
    if (id < 0 || static_cast<size_t>(id) >= items_.size()) {
        return nullptr;
    }
    return items_[static_cast<size_t>(id)];
}

bool AnswerInfoTip(const VcpTree& tree, NMHDR* header) {
    if (header == nullptr || (header->code != TVN_GETINFOTIPA && header->code != TVN_GETINFOTIPW)) {
        return false;
    }
    // Both forms start with the header, the text buffer, its size, the item and its lParam.
    const auto* tip = reinterpret_cast<NMTVGETINFOTIPA*>(header);
    if (tip->lParam < 0 || !tree.Contains(static_cast<int>(tip->lParam)) || tip->cchTextMax <= 0) {
        return false;
    }
    const std::string& help = tree.Item(static_cast<int>(tip->lParam)).helpText;
    if (help.empty()) {
        return false;
    }
    const size_t room = static_cast<size_t>(tip->cchTextMax) - 1;
    if (header->code == TVN_GETINFOTIPA) {
        const size_t length = std::min(help.size(), room);
        std::memcpy(tip->pszText, help.data(), length);
        tip->pszText[length] = '\0';
        return true;
    }
    std::wstring text(help.size(), L'\0');
    const int converted = MultiByteToWideChar(CP_ACP, 0, help.data(), static_cast<int>(help.size()), text.data(),
                                              static_cast<int>(text.size()));
    text.resize(converted > 0 ? std::min(static_cast<size_t>(converted), room) : 0);
    auto* wide = reinterpret_cast<NMTVGETINFOTIPW*>(header);
    std::wmemcpy(wide->pszText, text.data(), text.size());
    wide->pszText[text.size()] = L'\0';
    return true;
}

}  // namespace kestrova::project::win32
