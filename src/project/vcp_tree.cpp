#include "project/vcp_tree.h"

namespace kestrova::project {

namespace {

TickState TickOf(bool ticked) {
    return ticked ? TickState::kChecked : TickState::kUnchecked;
}

}  // namespace

int VcpTree::Add(int parent, VcpTreeItem item) {
    const int id = static_cast<int>(items_.size());
    item.parent = Contains(parent) ? parent : kNoItem;
    item.children.clear();
    if (item.group >= 0 && item.kind != VcpTreeItemKind::kHeading) {
        const size_t group = static_cast<size_t>(item.group);
        if (groupItems_.size() <= group) {
            groupItems_.resize(group + 1, kNoItem);
            codeItems_.resize(group + 1);
        }
        if (item.kind == VcpTreeItemKind::kGroup) {
            groupItems_[group] = id;
        } else if (item.position >= 0) {
            std::vector<int>& codes = codeItems_[group];
            if (codes.size() <= static_cast<size_t>(item.position)) {
                codes.resize(static_cast<size_t>(item.position) + 1, kNoItem);
            }
            codes[static_cast<size_t>(item.position)] = id;
        }
    }
    items_.push_back(std::move(item));
    if (items_.back().parent == kNoItem) {
        roots_.push_back(id);
    } else {
        items_[static_cast<size_t>(items_.back().parent)].children.push_back(id);
    }
    return id;
}

void VcpTree::Clear() {
    items_.clear();
    roots_.clear();
    groupItems_.clear();
    codeItems_.clear();
}

const VcpTreeItem& VcpTree::Item(int id) const {
    return Contains(id) ? items_[static_cast<size_t>(id)] : spare_;
}

VcpTreeItem& VcpTree::Item(int id) {
    if (Contains(id)) {
        return items_[static_cast<size_t>(id)];
    }
    spare_ = VcpTreeItem{};
    return spare_;
}

int VcpTree::GroupItem(int group) const {
    if (group < 0 || static_cast<size_t>(group) >= groupItems_.size()) {
        return kNoItem;
    }
    return groupItems_[static_cast<size_t>(group)];
}

int VcpTree::CodeItem(int group, int position) const {
    if (group < 0 || static_cast<size_t>(group) >= codeItems_.size() || position < 0) {
        return kNoItem;
    }
    const std::vector<int>& codes = codeItems_[static_cast<size_t>(group)];
    return static_cast<size_t>(position) < codes.size() ? codes[static_cast<size_t>(position)] : kNoItem;
}

void VcpTree::SetTicked(int id, bool ticked) {
    if (Contains(id)) {
        items_[static_cast<size_t>(id)].tick = TickOf(ticked);
    }
}

void VcpTree::UncheckAll() {
    for (VcpTreeItem& item : items_) {
        item.tick = TickState::kUnchecked;
    }
}

void VcpTree::SetGroupTicked(int group, bool ticked) {
    const int groupItem = GroupItem(group);
    SetTicked(groupItem, ticked);
    if (group >= 0 && static_cast<size_t>(group) < codeItems_.size()) {
        for (int codeItem : codeItems_[static_cast<size_t>(group)]) {
            SetTicked(codeItem, ticked);
        }
    }
}

}  // namespace kestrova::project
