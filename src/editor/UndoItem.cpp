// The default behaviour of undo items and the one place that carries out a merge.
#include "editor/UndoItem.h"

#include <cassert>
#include <utility>

namespace velmora::editor {

TUndoItem::~TUndoItem() = default;

TUndoItem* TUndoItem::Merge(std::unique_ptr<TUndoItem>& /*offered*/) {
  return nullptr;
}

bool MergeInto(std::unique_ptr<TUndoItem>& older, std::unique_ptr<TUndoItem>& offered) {
  if (!older || !offered)
    return false;
  TUndoItem* const result = older->Merge(offered);
  if (result == nullptr) {
    assert(offered && "Merge refused the item but took it");
    return false;
  }
  if (result == older.get()) {
    // Absorbed, or taken over by the older item (a group keeps it); a leftover is the caller's to destroy.
    offered.reset();
    return true;
  }
  if (result == offered.get()) {
    // The newer (or a new) item replaces the older one, which is destroyed here.
    older = std::move(offered);
    return true;
  }
  // Merge named an item it does not hand over: treat the pair as not combined rather than keep a pointer
  // nobody owns.
  assert(false && "Merge returned an item that Offered does not hold");
  return false;
}

}  // namespace velmora::editor
