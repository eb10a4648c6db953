// The undo manager: two stacks of undo items, merging of consecutive actions, caret moves that can be
// undone without losing the redo history, and the captions that name the next step.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/UndoItem.h"

namespace velmora::editor {

class TUndoBase;

// Called after an item was undone or redone, with the manager and the item.
using TUndoEvent = std::function<void(TUndoBase& sender, TUndoItem& item)>;

// FirstCaretItem when no caret-only item was added since the last undo.
inline constexpr std::ptrdiff_t kNoCaretItem = -1;

// One history of reversible actions, which several editors may share (the text fields of one clip use one
// manager, so one Ctrl+Z history covers them all). The stacks have no size limit.
//
// How the two stacks relate:
// - Add offers the new item to the top of the undo stack (Merge), so typing a word is one step, and clears
//   the redo stack once a data-changing item arrives.
// - After an undo the user may move the caret without losing what can be redone: caret-only items added
//   while the redo stack is not empty are recorded from FirstCaretItem on. The first of them is never
//   merged into the item below it, so that it can be marked. Undo discards them instead of moving them to
//   the redo stack, and Redo first undoes them all, so that the redone step starts from the caret it left.
//   Invariant: when FirstCaretItem is not kNoCaretItem, every undo item from that index on is caret-only.
// - Busy is set while an item is undone or redone; editors record nothing meanwhile. It is a re-entrancy
//   guard on the one user-interface thread, not a lock.
class TUndoBase {
 public:
  TUndoBase() = default;
  // Destroys the items of both stacks.
  virtual ~TUndoBase();
  // The manager owns its items and is shared by reference between editors; a copy would split the history.
  TUndoBase(const TUndoBase&) = delete;
  TUndoBase& operator=(const TUndoBase&) = delete;

  // Records a new action and takes ownership of it; returns the item that now stands on top of the undo
  // stack (the new item, or the one it was merged into). A null item changes nothing.
  TUndoItem* Add(std::unique_ptr<TUndoItem> item);
  // Reverts the top undo item and moves it to the redo stack (a caret-only item added after an undo is
  // discarded instead, after OnUndo returned). Does nothing when the undo stack is empty. When the item
  // fails it stays on top of the undo stack, Busy is cleared and the error propagates.
  void Undo();
  // Undoes the caret moves made since the last undo, then repeats the top redo item and moves it to the
  // undo stack. Does nothing when the redo stack is empty. When the item fails it stays on top of the redo
  // stack, Busy is cleared and the error propagates.
  void Redo();

  size_t UndoCount() const { return FUndoItems.size(); }
  size_t RedoCount() const { return FRedoItems.size(); }
  // The entries of the stacks, oldest first (the last one is undone or redone next); null out of range.
  const TUndoItem* UndoItem(size_t index) const;
  const TUndoItem* RedoItem(size_t index) const;

  // ClearRedo, then ClearUndo.
  void Clear();
  // Destroys the redo stack's items; FirstCaretItem becomes kNoCaretItem.
  void ClearRedo();
  // Destroys the undo stack's items. FirstCaretItem, an index into that stack, becomes kNoCaretItem too.
  void ClearUndo();

  bool Busy() const { return FBusy; }
  // Index in the undo stack of the first caret-only item added while the redo stack was not empty.
  std::ptrdiff_t FirstCaretItem() const { return FFirstCaretItem; }

  const TUndoEvent& OnUndo() const { return FOnUndo; }
  void SetOnUndo(TUndoEvent handler) { FOnUndo = std::move(handler); }
  const TUndoEvent& OnRedo() const { return FOnRedo; }
  void SetOnRedo(TUndoEvent handler) { FOnRedo = std::move(handler); }

  // The texts of menus and hints, settable so that a form can translate them. "%s" is filled by Format.
  const std::string& HintNoUndo() const { return FHintNoUndo; }
  void SetHintNoUndo(std::string value) { FHintNoUndo = std::move(value); }
  const std::string& HintNoRedo() const { return FHintNoRedo; }
  void SetHintNoRedo(std::string value) { FHintNoRedo = std::move(value); }
  const std::string& Nothing() const { return FNothing; }
  void SetNothing(std::string value) { FNothing = std::move(value); }
  const std::string& UndoCaption() const { return FUndoCaption; }
  void SetUndoCaption(std::string value) { FUndoCaption = std::move(value); }
  const std::string& RedoCaption() const { return FRedoCaption; }
  void SetRedoCaption(std::string value) { FRedoCaption = std::move(value); }
  const std::string& UndoHint() const { return FUndoHint; }
  void SetUndoHint(std::string value) { FUndoHint = std::move(value); }
  const std::string& RedoHint() const { return FRedoHint; }
  void SetRedoHint(std::string value) { FRedoHint = std::move(value); }
  const std::string& UndoLongCaption() const { return FUndoLongCaption; }
  void SetUndoLongCaption(std::string value) { FUndoLongCaption = std::move(value); }
  const std::string& RedoLongCaption() const { return FRedoLongCaption; }
  void SetRedoLongCaption(std::string value) { FRedoLongCaption = std::move(value); }

 private:
  TUndoItem* Top() const { return FUndoItems.empty() ? nullptr : FUndoItems.back().get(); }

  bool FBusy = false;
  std::ptrdiff_t FFirstCaretItem = kNoCaretItem;
  std::vector<std::unique_ptr<TUndoItem>> FUndoItems;  // oldest first; the last is undone next
  std::vector<std::unique_ptr<TUndoItem>> FRedoItems;  // the last is redone next
  TUndoEvent FOnUndo;
  TUndoEvent FOnRedo;
  std::string FHintNoUndo = "At the moment there is nothing that can be undone";
  std::string FHintNoRedo = "At the moment there are no undone actions that can be redone";
  std::string FNothing = "<nothing>";
  std::string FUndoCaption = "&Undo %s";
  std::string FRedoCaption = "&Redo %s";
  std::string FUndoHint = "Undo %s";
  std::string FRedoHint = "Redo %s";
  std::string FUndoLongCaption = "Undo %s";
  std::string FRedoLongCaption = "Redo %s";
};

}  // namespace velmora::editor
