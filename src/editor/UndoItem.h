// The base class of every reversible action the editors record, and the ownership protocol of merging two
// consecutive actions into one undo step.
#pragma once

#include <memory>
#include <string>

namespace velmora::editor {

// One reversible action. An item is owned by exactly one undo stack or one group at a time; the manager
// hands it out only as a pointer for reading.
class TUndoItem {
 public:
  TUndoItem() = default;
  virtual ~TUndoItem();
  // An item stands for one recorded action in one place of the history; a copy would stand for nothing.
  TUndoItem(const TUndoItem&) = delete;
  TUndoItem& operator=(const TUndoItem&) = delete;

  // Short lower-case name of the action, e.g. "typing".
  virtual std::string GetCaption() const = 0;
  // Longer text naming the action and the text it concerns, e.g. typing "abc".
  virtual std::string GetDescription() const = 0;
  // True for items that change only the caret or the selection, never the data.
  virtual bool IsCaretOnly() const { return false; }

  // Offers Offered, the newer item, to this older one, so that consecutive small actions become one step.
  // Returns the item that from now on stands for both, or null when they cannot be combined. Ownership
  // travels through Offered, never through the returned pointer:
  // - null: the items stay apart. Offered must be left as it was; the caller keeps it.
  // - this: this item now stands for both. If it keeps the offered item (a group appends it) it moves it
  //   out of Offered; whatever Offered still holds on return was absorbed and the caller destroys it.
  // - any other item: it must be the one Offered holds on return, either the offered item itself or a new
  //   item the callee put in its place. The caller puts it where this item stood and destroys this item,
  //   so a replacement must not refer to this item.
  // The default combines nothing.
  virtual TUndoItem* Merge(std::unique_ptr<TUndoItem>& offered);

  // Performs the action again.
  virtual void Redo() = 0;
  // Reverts the action.
  virtual void Undo() = 0;
};

// Offers Offered to the item held in Older and carries out Merge's answer under the protocol above.
// Returns true when the two were combined: Older then holds the item that stands for both and Offered is
// empty. Returns false when they were not; Offered then still holds the item unless Merge broke the
// protocol by taking it.
bool MergeInto(std::unique_ptr<TUndoItem>& older, std::unique_ptr<TUndoItem>& offered);

}  // namespace velmora::editor
