#include "model/ClipItem.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/ClipFolder.h"
#include "model/Collation.h"
#include "model/ItemRegistry.h"

namespace velmora::model {

namespace {

uint32_t nextItemID = kFirstItemID;

// Never destroyed: items held by other static objects may still leave it at exit.
TItemRegistry& Registry() {
  static TItemRegistry* const registry = new TItemRegistry;
  return *registry;
}

uint32_t TakeItemID() {
  const uint32_t id = nextItemID++;
  if (nextItemID < kFirstItemID)
    nextItemID = kFirstItemID;  // after four billion items: never 0 to 255
  return id;
}

}  // namespace

TClipItem::TClipItem(bool isClip) : FID(TakeItemID()), FIsClip(isClip) {
  Registry().Insert(FID, this);
}

TClipItem::~TClipItem() {
  if (FParent)
    FParent->DetachChild(this);
  Registry().Erase(FID, this);
}

void TClipItem::SetID(uint32_t id) {
  Registry().Erase(FID, this);
  FID = id;
  Registry().Insert(FID, this);
}

const std::string& TClipItem::CaptionSortKey() const {
  const TCollation& collation = TCollation::Instance();
  if (FCaptionKeyGeneration != collation.Generation()) {
    collation.SortKey(GetCaption(), FCaptionKey);
    FCaptionKeyGeneration = collation.Generation();
  }
  return FCaptionKey;
}

void TClipItem::CopyCaptionSortKey(const TClipItem& source) {
  FCaptionKey = source.FCaptionKey;
  FCaptionKeyGeneration = source.FCaptionKeyGeneration;
}

TClipItem* FindItemByID(uint32_t id) {
  return Registry().Find(id);
}

size_t CountItemsWithID(uint32_t id) {
  return Registry().Count(id);
}

uint32_t PeekNextItemID() {
  return nextItemID;
}

void TClipItem::LinkItem(std::unique_ptr<TClipItem> item, TClipItem* prev, TClipFolder* parent) {
  if (!item)
    throw std::invalid_argument("LinkAfter: no item");
  if (item->FParent)
    throw std::logic_error("LinkAfter: the item is already linked");
  if (!parent && prev)
    parent = prev->FParent;
  if (!parent)
    throw std::invalid_argument("LinkAfter: neither a parent nor a previous item");
  if (prev && prev->FParent != parent)
    throw std::invalid_argument("LinkAfter: Prev is not a child of Parent");
  parent->AttachChild(item.release(), prev);
}

std::unique_ptr<TClipItem> TClipItem::Unlink() {
  if (!FParent)
    return nullptr;
  FParent->DetachChild(this);
  return std::unique_ptr<TClipItem>(this);
}

void TClipItem::MoveAfter(TClipItem* prev, TClipFolder* parent) {
  if (!parent && prev)
    parent = prev->FParent;
  if (prev == this)
    return;  // already in place
  std::unique_ptr<TClipItem> self = Unlink();
  LinkItem(std::move(self), prev, parent);
}

void TClipItem::Resort() {
  TClipFolder* parent = FParent;
  if (!parent)
    return;
  std::unique_ptr<TClipItem> self = Unlink();
  TClipItem* prev = parent->FindSortedPosition(self->GetCaption());
  LinkItem(std::move(self), prev, parent);
}

void TClipItem::Delete() {
  // Post-order without recursion: descend to a node without children, delete it, go back to its parent.
  TClipItem* node = this;
  for (;;) {
    if (TClipFolder* folder = node->AsFolder(); folder && folder->FirstChild()) {
      node = folder->FirstChild();
      continue;
    }
    const bool isTop = node == this;
    TClipFolder* parent = node->FParent;
    node->OnDelete();
    if (isTop) {
      if (parent)
        delete node;  // the destructor unlinks it; an unlinked top is freed by its owner
      return;
    }
    delete node;
    node = parent;
  }
}

std::unique_ptr<TClipItem> TClipItem::Clone() const {
  auto copyNode = [](const TClipItem& source) -> std::unique_ptr<TClipItem> {
    if (const TClip* clip = source.AsClip()) {
      auto copy = std::make_unique<TClip>();
      copy->Assign(*clip);
      return copy;
    }
    return std::make_unique<TClipFolder>(source.AsFolder()->Name());
  };

  std::unique_ptr<TClipItem> top = copyNode(*this);
  // Depth-first in chain order, as a recursive copy would go, so the copies take their IDs in that order.
  struct TFrame {
    const TClipItem* NextSource;
    TClipFolder* Target;
    TClipItem* LastCopy;
  };
  std::vector<TFrame> stack;
  if (const TClipFolder* folder = AsFolder())
    stack.push_back({folder->FirstChild(), top->AsFolder(), nullptr});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    const TClipItem* source = frame.NextSource;
    if (!source) {
      stack.pop_back();
      continue;
    }
    frame.NextSource = source->NextSibling();
    frame.LastCopy = LinkAfter(copyNode(*source), frame.LastCopy, frame.Target);
    if (const TClipFolder* sourceFolder = source->AsFolder()) {
      TClipFolder* copyFolder = frame.LastCopy->AsFolder();  // before push_back invalidates Frame
      stack.push_back({sourceFolder->FirstChild(), copyFolder, nullptr});
    }
  }
  return top;
}

TClipItem* TClipItem::Clone(TClipItem* prev, TClipFolder* parent) const {
  return LinkAfter(Clone(), prev, parent);
}

TClipItem* TClipItem::Root() {
  TClipItem* node = this;
  while (node->FParent)
    node = node->FParent;
  return node;
}

TClipFile* TClipItem::File() {
  return dynamic_cast<TClipFile*>(Root());
}

}  // namespace velmora::model
