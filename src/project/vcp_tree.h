// The VCP selection tree as plain data: items with a label, help text, tick and bold flag, in the
// order they were inserted. The Windows tree control and the console only render it and hand the
// engineer's ticks back; everything the ticks mean is decided here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrova::project {

// A tree control's check box: an item that never got a state image is not "unchecked", so it
// counts as ticked.
enum class TickState : uint8_t { kNoImage, kUnchecked, kChecked };

enum class VcpTreeItemKind : uint8_t { kGroup, kCode, kHeading };

inline constexpr int kNoItem = -1;

struct VcpTreeItem {
    std::string label;
    std::string helpText;
    TickState tick = TickState::kUnchecked;
    bool bold = false;
    VcpTreeItemKind kind = VcpTreeItemKind::kHeading;
    int parent = kNoItem;
    int group = -1;     // group and code items: the group's index 0-20
    int position = -1;  // code items: the position in the group's code list
    uint8_t code = 0;   // code items
    std::vector<int> children;

    bool Ticked() const { return tick != TickState::kUnchecked; }
};

class VcpTree {
  public:
    // Appends `item` as the last child of `parent` (kNoItem: the root) and answers its id. Group and
    // code items are also indexed, so a group's item and its code items are found without a search.
    int Add(int parent, VcpTreeItem item);
    void Clear();

    size_t Size() const { return items_.size(); }
    bool Contains(int id) const { return id >= 0 && static_cast<size_t>(id) < items_.size(); }
    // Ids outside the tree are a caller's mistake; they read and write a spare item.
    const VcpTreeItem& Item(int id) const;
    VcpTreeItem& Item(int id);
    const std::vector<int>& RootItems() const { return roots_; }
    const std::vector<VcpTreeItem>& Items() const { return items_; }

    // The item of group `group`, or kNoItem before the tree is built.
    int GroupItem(int group) const;
    // The item of the code at `position` of group `group`, or kNoItem.
    int CodeItem(int group, int position) const;

    void SetTicked(int id, bool ticked);
    // "Deselect All": every item unchecked, at every depth.
    void UncheckAll();
    // A group item and every code item under it (the editor's plug-in check boxes).
    void SetGroupTicked(int group, bool ticked);

  private:
    std::vector<VcpTreeItem> items_;
    std::vector<int> roots_;
    std::vector<int> groupItems_;
    std::vector<std::vector<int>> codeItems_;
    VcpTreeItem spare_;
};

}  // namespace kestrova::project
