// A group of undo items that undo and redo as one step, absorbing every item offered while it is open.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "editor/UndoItem.h"

namespace velmora::editor {

// Several items recorded by one command (a paste, a text conversion) that form one undo step. While the
// group is open and on top of the undo stack, everything added to the manager ends up inside it; closing it
// ends that. Caption and description stay abstract: every concrete group names itself.
class TUndoItemGroup : public TUndoItem {
 public:
  TUndoItemGroup() = default;
  ~TUndoItemGroup() override;

  bool Closed() const { return FClosed; }
  void Close() { FClosed = true; }
  size_t Count() const { return FItems.size(); }
  // The child at Index, oldest first; null out of range.
  TUndoItem* Items(size_t index) const { return index < FItems.size() ? FItems[index].get() : nullptr; }

  // Closed: combines nothing. Open: offers the item to the last child first (which may absorb it or be
  // replaced by it), otherwise appends it; returns this group in both cases and always takes Offered.
  TUndoItem* Merge(std::unique_ptr<TUndoItem>& offered) override;
  // Redoes the children first to last. When one fails, the ones already redone are undone again (newest
  // first) before the error propagates, so that the group is still wholly undone.
  void Redo() override;
  // Undoes the children last to first. When one fails, the ones already undone are redone again (oldest
  // first) before the error propagates, so that the group is still wholly done and can stay on the stack.
  void Undo() override;

 private:
  bool FClosed = false;
  std::vector<std::unique_ptr<TUndoItem>> FItems;  // owned, oldest first
};

}  // namespace velmora::editor
