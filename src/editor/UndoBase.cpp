// The undo manager's stacks: adding with merging, undo and redo with the caret moves made after an undo,
// and clearing.
#include "editor/UndoBase.h"

#include <utility>

namespace velmora::editor {

namespace {

// Sets a busy flag for one scope and restores its previous value however the scope is left, so that a
// nested undo (from an event handler) does not clear the flag of the one around it.
class TBusyScope {
 public:
  explicit TBusyScope(bool& flag) : FFlag(flag), FPrevious(flag) { FFlag = true; }
  ~TBusyScope() { FFlag = FPrevious; }
  // Restores one flag once.
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  bool& FFlag;
  bool FPrevious;
};

}  // namespace

TUndoBase::~TUndoBase() {
  Clear();
}

TUndoItem* TUndoBase::Add(std::unique_ptr<TUndoItem> item) {
  if (!item)
    return Top();
  // The first caret-only item after an undo stands alone, so that FirstCaretItem can point at it.
  const bool firstCaretItemAfterUndo =
      FFirstCaretItem == kNoCaretItem && item->IsCaretOnly() && !FRedoItems.empty();
  const bool merged = !FUndoItems.empty() && !firstCaretItemAfterUndo && MergeInto(FUndoItems.back(), item);
  if (!merged && item)
    FUndoItems.push_back(std::move(item));

  if (!FRedoItems.empty() && !FUndoItems.empty()) {
    if (!FUndoItems.back()->IsCaretOnly())
      ClearRedo();
    else if (FFirstCaretItem == kNoCaretItem)
      FFirstCaretItem = static_cast<std::ptrdiff_t>(FUndoItems.size()) - 1;
  }
  return Top();
}

void TUndoBase::Undo() {
  if (FUndoItems.empty())
    return;
  TBusyScope busy(FBusy);
  // Reserved first so that an undone item cannot be lost for want of room on the redo stack.
  if (FFirstCaretItem == kNoCaretItem)
    FRedoItems.reserve(FRedoItems.size() + 1);
  std::unique_ptr<TUndoItem> item = std::move(FUndoItems.back());
  FUndoItems.pop_back();
  try {
    item->Undo();
  } catch (...) {
    // Back where it was; the slot just freed keeps the capacity, so this cannot throw.
    FUndoItems.push_back(std::move(item));
    throw;
  }

  TUndoItem& undone = *item;
  // A caret-only item added after an undo goes to neither stack. It lives until the handler has seen it.
  std::unique_ptr<TUndoItem> discarded;
  if (FFirstCaretItem == kNoCaretItem) {
    FRedoItems.push_back(std::move(item));
  } else {
    discarded = std::move(item);
    if (FFirstCaretItem >= static_cast<std::ptrdiff_t>(FUndoItems.size()))
      FFirstCaretItem = kNoCaretItem;
  }
  if (FOnUndo)
    FOnUndo(*this, undone);
}

void TUndoBase::Redo() {
  if (FRedoItems.empty())
    return;
  // Revert the caret moves made since the last undo, so the step is redone from the caret it left.
  while (FFirstCaretItem != kNoCaretItem && !FUndoItems.empty())
    Undo();
  FFirstCaretItem = kNoCaretItem;

  TBusyScope busy(FBusy);
  // Reserved first so that moving the item across cannot fail half-way and lose it.
  FUndoItems.reserve(FUndoItems.size() + 1);
  FUndoItems.push_back(std::move(FRedoItems.back()));
  FRedoItems.pop_back();
  TUndoItem& item = *FUndoItems.back();
  try {
    item.Redo();
  } catch (...) {
    FRedoItems.push_back(std::move(FUndoItems.back()));
    FUndoItems.pop_back();
    throw;
  }
  if (FOnRedo)
    FOnRedo(*this, item);
}

const TUndoItem* TUndoBase::UndoItem(size_t index) const {
  return index < FUndoItems.size() ? FUndoItems[index].get() : nullptr;
}

const TUndoItem* TUndoBase::RedoItem(size_t index) const {
  return index < FRedoItems.size() ? FRedoItems[index].get() : nullptr;
}

void TUndoBase::Clear() {
  ClearRedo();
  ClearUndo();
}

void TUndoBase::ClearRedo() {
  FRedoItems.clear();
  FFirstCaretItem = kNoCaretItem;
}

void TUndoBase::ClearUndo() {
  FUndoItems.clear();
  FFirstCaretItem = kNoCaretItem;
}

}  // namespace velmora::editor
