// Building the entries of the undo and redo popup menus, and undoing or redoing down to a chosen entry.
#include "editor/Undo.h"

#include "editor/UndoText.h"

namespace velmora::editor {

namespace {

// Entries for one stack, read through EntryAt(index) from the newest back.
template <class EntryAt>
std::vector<TUndoPopupEntry> PopupEntries(size_t count, EntryAt entryAt, const std::string& caption,
                                          const std::string& nothing, const std::string& hintNone,
                                          const std::string& hint) {
  std::vector<TUndoPopupEntry> entries;
  if (count == 0) {
    entries.push_back({Format(caption, nothing), hintNone, false, kNoPopupTag});
    return entries;
  }
  const size_t shown = count < kMaxUndoPopupEntries ? count : kMaxUndoPopupEntries;
  entries.reserve(shown);
  for (size_t index = count; index > count - shown; --index) {
    const std::string text = Format(hint, entryAt(index - 1)->GetDescription());
    entries.push_back({text, text, true, static_cast<std::ptrdiff_t>(index - 1)});
  }
  return entries;
}

}  // namespace

std::vector<TUndoPopupEntry> TUndo::UndoPopupEntries() const {
  return PopupEntries(
      UndoCount(), [this](size_t index) { return UndoItem(index); }, UndoCaption(), Nothing(), HintNoUndo(),
      UndoHint());
}

std::vector<TUndoPopupEntry> TUndo::RedoPopupEntries() const {
  return PopupEntries(
      RedoCount(), [this](size_t index) { return RedoItem(index); }, RedoCaption(), Nothing(), HintNoRedo(),
      RedoHint());
}

void TUndo::UndoTo(std::ptrdiff_t tag) {
  if (tag < 0)
    return;
  while (UndoCount() > static_cast<size_t>(tag))
    Undo();
}

void TUndo::RedoTo(std::ptrdiff_t tag) {
  if (tag < 0)
    return;
  while (RedoCount() > static_cast<size_t>(tag))
    Redo();
}

}  // namespace velmora::editor
