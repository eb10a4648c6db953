#include "model/ClipFolder.h"

#include <limits>
#include <stdexcept>

#include "model/CaseMapping.h"
#include "model/Clip.h"
#include "model/Collation.h"
#include "model/CollectionStream.h"
#include "model/Errors.h"
#include "model/RecycledClip.h"
#include "model/SortOrder.h"

namespace velmora::model {

TClipFolder::TClipFolder(std::string_view name)
    : TClipItem(false), FName(name.empty() ? kNewFolderName : name) {}

TClipFolder::~TClipFolder() {
  // Leave the parent first, so its counts drop by the whole subtree at once.
  if (Parent())
    Parent()->DetachChild(this);
  FreeChildren();
}

void TClipFolder::SetName(std::string_view name) {
  FName = name;
  CaptionChanged();
}

void TClipFolder::AttachChild(TClipItem* item, TClipItem* prev) {
  const TClipFolder* itemFolder = item->FIsClip ? nullptr : static_cast<const TClipFolder*>(item);
  const size_t clips = itemFolder ? itemFolder->FClipCount : 1;
  if (itemFolder) {
    for (const TClipFolder* ancestor = this; ancestor; ancestor = ancestor->Parent()) {
      if (ancestor == itemFolder) {
        delete item;  // we own it now, and it cannot go anywhere else
        throw std::logic_error("LinkAfter: a folder cannot lie inside itself");
      }
    }
  }
  item->FParent = this;
  item->FPrevSibling = prev;
  item->FNextSibling = prev ? prev->FNextSibling : FFirstChild;
  if (item->FNextSibling) {
    item->FNextSibling->FPrevSibling = item;
  } else {
    FLastChild = item;
  }
  if (prev) {
    prev->FNextSibling = item;
  } else {
    FFirstChild = item;
  }
  ++FChildCount;
  for (TClipFolder* ancestor = this; ancestor; ancestor = ancestor->Parent())
    ancestor->FClipCount += clips;
}

void TClipFolder::DetachChild(TClipItem* item) {
  // Called from destructors too, where virtual calls no longer tell what the item was.
  const size_t clips = item->FIsClip ? 1 : static_cast<const TClipFolder*>(item)->FClipCount;
  if (item->FPrevSibling) {
    item->FPrevSibling->FNextSibling = item->FNextSibling;
  } else {
    FFirstChild = item->FNextSibling;
  }
  if (item->FNextSibling) {
    item->FNextSibling->FPrevSibling = item->FPrevSibling;
  } else {
    FLastChild = item->FPrevSibling;
  }
  item->FParent = nullptr;
  item->FPrevSibling = nullptr;
  item->FNextSibling = nullptr;
  --FChildCount;
  for (TClipFolder* ancestor = this; ancestor; ancestor = ancestor->Parent())
    ancestor->FClipCount -= clips;
}

void TClipFolder::FreeChildren() {
  // Descend to a node without children and free it; its destructor then has nothing left to recurse
  // into. Links are cut by hand: the counts of a subtree that goes away as a whole need no upkeep.
  TClipFolder* folder = this;
  while (folder != this || FFirstChild) {
    TClipItem* child = folder->FFirstChild;
    if (!child) {
      TClipFolder* up = folder->Parent();
      up->FFirstChild = folder->FNextSibling;
      if (up->FFirstChild)
        up->FFirstChild->FPrevSibling = nullptr;
      folder->FParent = nullptr;
      folder->FNextSibling = nullptr;
      delete folder;
      folder = up;
      continue;
    }
    if (TClipFolder* childFolder = child->AsFolder(); childFolder && childFolder->FFirstChild) {
      folder = childFolder;
      continue;
    }
    folder->FFirstChild = child->FNextSibling;
    if (folder->FFirstChild)
      folder->FFirstChild->FPrevSibling = nullptr;
    child->FParent = nullptr;
    child->FNextSibling = nullptr;
    delete child;
  }
  FLastChild = nullptr;
  FChildCount = 0;
  FClipCount = 0;
}

TClipItem* TClipFolder::FindByID(uint32_t id) {
  auto isInside = [this](TClipItem* item) {
    for (TClipItem* node = item; node; node = node->Parent()) {
      if (node == this)
        return true;
    }
    return false;
  };
  const size_t holders = CountItemsWithID(id);
  if (holders == 0)
    return nullptr;
  if (holders == 1) {
    TClipItem* item = FindItemByID(id);
    return isInside(item) ? item : nullptr;
  }
  // Several items share the ID: the first in chain order wins, so walk the subtree in that order.
  TClipItem* node = this;
  while (node) {
    if (node->ID() == id)
      return node;
    if (TClipFolder* folder = node->AsFolder(); folder && folder->FFirstChild) {
      node = folder->FFirstChild;
      continue;
    }
    while (node != this && !node->NextSibling())
      node = node->Parent();
    node = node == this ? nullptr : node->NextSibling();
  }
  return nullptr;
}

TClipItem* TClipFolder::FindSortedPosition(std::string_view caption) const {
  if (!FFirstChild || CompareCaptions(FFirstChild->GetCaption(), caption) >= 0)
    return nullptr;
  TClipItem* position = FFirstChild;
  while (position->NextSibling() && CompareCaptions(position->NextSibling()->GetCaption(), caption) <= 0) {
    position = position->NextSibling();
  }
  return position;
}

TClipFolder* TClipFolder::FindSubfolder(std::string_view name) const {
  for (TClipItem* child = FFirstChild; child; child = child->NextSibling()) {
    if (TClipFolder* folder = child->AsFolder(); folder && SameTextIgnoringAsciiCase(folder->FName, name)) {
      return folder;
    }
  }
  return nullptr;
}

void TClipFolder::DeleteChildren() {
  while (FFirstChild)
    FFirstChild->Delete();
}

TClipItem* TClipFolder::MergeItem(TClipItem* prev, std::unique_ptr<TClipItem> item, bool sortedInsert) {
  // Links Item into Target, merging a folder into a same-named subfolder: returns what stands for Item
  // and, after a merge, hands back the emptied source folder to drain next.
  auto place = [sortedInsert](TClipFolder* target, TClipItem* after, std::unique_ptr<TClipItem>& next,
                              std::unique_ptr<TClipItem>& drain) -> TClipItem* {
    if (next->IsFolder()) {
      if (TClipFolder* existing = target->FindSubfolder(next->AsFolder()->Name())) {
        drain = std::move(next);
        return existing;
      }
    }
    TClipItem* position = sortedInsert ? target->FindSortedPosition(next->GetCaption()) : after;
    return LinkAfter(std::move(next), position, target);
  };

  std::unique_ptr<TClipItem> drain;
  TClipItem* result = place(this, prev, item, drain);
  // Folders being drained into an existing folder, innermost last; each child is merged in turn, and a
  // merge of a child folder is finished before the next child, as a recursive merge would do it.
  struct TFrame {
    std::unique_ptr<TClipItem> Source;
    TClipFolder* Target;
    TClipItem* Last;
  };
  std::vector<TFrame> stack;
  if (drain)
    stack.push_back({std::move(drain), result->AsFolder(), nullptr});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    TClipItem* child = frame.Source->AsFolder()->FFirstChild;
    if (!child) {
      stack.pop_back();  // frees the emptied source folder
      continue;
    }
    std::unique_ptr<TClipItem> next = child->Unlink();
    frame.Last = place(frame.Target, frame.Last, next, drain);
    if (drain) {
      TClipFolder* existing = frame.Last->AsFolder();  // before push_back invalidates Frame
      stack.push_back({std::move(drain), existing, nullptr});
    }
  }
  return result;
}

void TClipFolder::SortAll() {
  std::vector<TClipFolder*> pending{this};
  std::vector<TClipItem*> children;
  while (!pending.empty()) {
    TClipFolder* folder = pending.back();
    pending.pop_back();
    children.clear();
    for (TClipItem* child = folder->FFirstChild; child; child = child->NextSibling()) {
      children.push_back(child);
      if (TClipFolder* childFolder = child->AsFolder())
        pending.push_back(childFolder);
    }
    if (children.size() < 2)
      continue;
    const std::vector<size_t> order = StableKeyOrder(CaptionSortKeys(children));
    std::vector<TClipItem*> sorted;
    sorted.reserve(children.size());
    for (size_t index : order)
      sorted.push_back(children[index]);
    folder->ReorderChildren(sorted);
  }
}

void TClipFolder::ReorderChildren(const std::vector<TClipItem*>& order) {
  if (order.size() != FChildCount)
    throw std::invalid_argument("ReorderChildren: not a permutation");
  TClipItem* prev = nullptr;
  for (TClipItem* item : order) {
    if (item->FParent != this)
      throw std::invalid_argument("ReorderChildren: not a child");
    item->FPrevSibling = prev;
    if (prev) {
      prev->FNextSibling = item;
    } else {
      FFirstChild = item;
    }
    prev = item;
  }
  FLastChild = prev;
  if (prev)
    prev->FNextSibling = nullptr;
}

namespace {

constexpr char kUnknownNodeKindMessage[] = "The collection holds an item of an unknown kind";
constexpr char kTooDeepMessage[] = "The collection's folders are nested too deeply";

int32_t CountForStream(size_t count) {
  if (count > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EVelmoraError(kStreamWriteError);
  return static_cast<int32_t>(count);
}

}  // namespace

void TClipFolder::LoadFromStream(TStreamReader& reader) {
  struct TFrame {
    TClipFolder* Folder;
    int32_t Remaining;
    TClipItem* Last;
  };
  FName = reader.ReadString();
  CaptionChanged();
  std::vector<TFrame> stack{{this, reader.ReadInt32(), nullptr}};
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.Remaining <= 0) {
      stack.pop_back();
      continue;
    }
    --frame.Remaining;
    const uint8_t kind = reader.ReadByte();
    switch (static_cast<TNodeKind>(kind)) {
      case TNodeKind::Folder: {
        if (stack.size() > kMaxFolderDepth)
          throw EVelmoraError(kTooDeepMessage);
        TClipFolder* folder = LinkAfter(std::make_unique<TClipFolder>(), frame.Last, frame.Folder);
        frame.Last = folder;
        folder->FName = reader.ReadString();
        folder->CaptionChanged();
        const int32_t count = reader.ReadInt32();
        stack.push_back({folder, count, nullptr});  // Frame is not used after this
        break;
      }
      case TNodeKind::Clip:
        frame.Last = LinkAfter(std::make_unique<TClip>(), frame.Last, frame.Folder);
        frame.Last->LoadFromStream(reader);
        break;
      case TNodeKind::RecycledClip:
        frame.Last = LinkAfter(std::make_unique<TRecycledClip>(), frame.Last, frame.Folder);
        frame.Last->LoadFromStream(reader);
        break;
      default:
        throw EVelmoraError(kUnknownNodeKindMessage);
    }
  }
}

void TClipFolder::SaveToStream(TStreamWriter& writer) const {
  writer.WriteString(FName);
  writer.WriteInt32(CountForStream(FChildCount));
  std::vector<const TClipItem*> nextChild{FFirstChild};  // per open folder, the child to write next
  while (!nextChild.empty()) {
    const TClipItem* child = nextChild.back();
    if (!child) {
      nextChild.pop_back();
      continue;
    }
    nextChild.back() = child->NextSibling();
    writer.WriteByte(static_cast<uint8_t>(child->NodeKind()));
    if (const TClipFolder* folder = child->AsFolder()) {
      writer.WriteString(folder->FName);
      writer.WriteInt32(CountForStream(folder->FChildCount));
      nextChild.push_back(folder->FFirstChild);
    } else {
      child->SaveToStream(writer);
    }
  }
}

}  // namespace velmora::model
