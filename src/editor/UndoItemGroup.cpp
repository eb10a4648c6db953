// Grouping of undo items: absorbing items while open, and undoing or redoing all children as one step.
#include "editor/UndoItemGroup.h"

#include <utility>

namespace velmora::editor {

TUndoItemGroup::~TUndoItemGroup() = default;

TUndoItem* TUndoItemGroup::Merge(std::unique_ptr<TUndoItem>& offered) {
  if (FClosed || !offered)
    return nullptr;
  if (!FItems.empty() && MergeInto(FItems.back(), offered))
    return this;
  if (offered)
    FItems.push_back(std::move(offered));
  return this;
}

void TUndoItemGroup::Redo() {
  size_t done = 0;
  try {
    for (; done < FItems.size(); ++done)
      FItems[done]->Redo();
  } catch (...) {
    // Best effort: a child that fails again while being reverted replaces the first error with its own.
    while (done > 0)
      FItems[--done]->Undo();
    throw;
  }
}

void TUndoItemGroup::Undo() {
  size_t remaining = FItems.size();  // children [remaining, Count) have been undone
  try {
    for (; remaining > 0; --remaining)
      FItems[remaining - 1]->Undo();
  } catch (...) {
    // The child at Remaining - 1 failed and counts as not undone.
    for (size_t i = remaining; i < FItems.size(); ++i)
      FItems[i]->Redo();
    throw;
  }
}

}  // namespace velmora::editor
