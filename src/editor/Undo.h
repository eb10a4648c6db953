// The undo manager as placed on a form, with the model of its undo and redo popup menus.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "editor/UndoBase.h"

namespace velmora::editor {

// Entries a popup menu lists at most: the newest steps.
inline constexpr size_t kMaxUndoPopupEntries = 16;

// The tag of the disabled entry an empty stack shows.
inline constexpr std::ptrdiff_t kNoPopupTag = -1;

// One entry of an undo or redo popup menu.
struct TUndoPopupEntry {
  std::string Caption;
  std::string Hint;
  bool Enabled = true;
  // The entry's index in its stack; kNoPopupTag for the disabled entry of an empty stack.
  std::ptrdiff_t Tag = kNoPopupTag;

  bool operator==(const TUndoPopupEntry&) const = default;
};

// The manager with its two popup menus. The menus themselves belong to the toolkit layer, which rebuilds
// them from these entries each time one pops up and calls UndoTo or RedoTo with the tag of a chosen entry.
class TUndo : public TUndoBase {
 public:
  TUndo() = default;

  // Empty undo stack: one disabled entry, Format(UndoCaption, Nothing) with hint HintNoUndo. Otherwise one
  // entry per step from the newest back, at most kMaxUndoPopupEntries, captioned and hinted
  // Format(UndoHint, description) and tagged with the step's index in the undo stack.
  std::vector<TUndoPopupEntry> UndoPopupEntries() const;
  // The mirror image with the redo stack, RedoCaption, HintNoRedo and RedoHint.
  std::vector<TUndoPopupEntry> RedoPopupEntries() const;

  // Undoes the step with this tag and every newer one: Undo while the undo stack holds more entries than
  // Tag. A negative tag (the disabled entry) does nothing.
  void UndoTo(std::ptrdiff_t tag);
  // Redoes the step with this tag and every newer one of the redo stack, the same way.
  void RedoTo(std::ptrdiff_t tag);
};

}  // namespace velmora::editor
