#include "project/vcp_tree_selection.h"

#include <cstdio>

namespace kestrova::project {

void CollectTreeSelection(const VcpTree& tree, catalogue::VcpGroupArray& groups) {
    catalogue::ClearVcpGroupTicks(groups);
    for (const VcpTreeItem& item : tree.Items()) {
        if (!item.Ticked() || item.group < 0 || static_cast<size_t>(item.group) >= groups.size()) {
            continue;
        }
        catalogue::VcpGroup& group = groups[static_cast<size_t>(item.group)];
        if (item.kind == VcpTreeItemKind::kGroup) {
            group.enabled = true;
        } else if (item.kind == VcpTreeItemKind::kCode && item.position >= 0 && item.position < group.count &&
                   static_cast<size_t>(item.position) < group.selected.size()) {
            group.selected[static_cast<size_t>(item.position)] = true;
        }
    }
}

VcpSelection SelectionFromGroups(const catalogue::VcpGroupArray& groups) {
    VcpSelection selection{};
    for (const catalogue::VcpGroup& group : groups) {
        for (int32_t i = 0; i < group.count && static_cast<size_t>(i) < group.selected.size(); ++i) {
            if (group.selected[static_cast<size_t>(i)]) {
                selection[static_cast<uint8_t>(group.codes[i])] = 1;
            }
        }
    }
    return selection;
}

void RemoveAnalogOnlyCodes(VcpSelection& selection) {
    for (uint8_t code : kAnalogOnlyCodes) {
        selection[code] = 0;
    }
}

std::string SelectionPreview(std::string_view prefix, const VcpSelection& selection) {
    std::string text(prefix);
    for (size_t code = 0; code < selection.size(); ++code) {
        if (selection[code] != 0) {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%02X ", static_cast<unsigned>(code));
            text += hex;
        }
    }
    if (!text.empty()) {
        text.back() = ')';
    }
    return text;
}

TreeSelection BuildVcpSelection(const VcpTree& tree, catalogue::VcpGroupArray& groups) {
    CollectTreeSelection(tree, groups);
    TreeSelection result;
    result.selection = SelectionFromGroups(groups);
    result.analogPreview = SelectionPreview(kAnalogPreviewPrefix, result.selection);
    RemoveAnalogOnlyCodes(result.selection);
    result.digitalPreview = SelectionPreview(kDigitalPreviewPrefix, result.selection);
    return result;
}

void TickSelectedCodes(VcpTree& tree, const VcpSelection& selection) {
    for (size_t id = 0; id < tree.Size(); ++id) {
        VcpTreeItem& item = tree.Item(static_cast<int>(id));
        if (item.kind == VcpTreeItemKind::kCode && selection[item.code] != 0) {
            item.tick = TickState::kChecked;
        }
    }
}

}  // namespace kestrova::project
