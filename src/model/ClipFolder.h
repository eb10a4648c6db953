// A folder: an ordered chain of child items that it owns, with counts kept up to date on every link and
// unlink so that asking how many clips a tree holds costs nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ClipItem.h"

namespace velmora::model {

inline constexpr char kNewFolderName[] = "New folder";

// Folders nested deeper than this below a root are refused when reading: no tree a user builds comes
// near it, and it bounds the reader's bookkeeping.
inline constexpr size_t kMaxFolderDepth = 255;

class TClipFolder : public TClipItem {
 public:
  // An empty name gives "New folder".
  explicit TClipFolder(std::string_view name = {});
  ~TClipFolder() override;

  TClipFolder* AsFolder() override { return this; }
  const TClipFolder* AsFolder() const override { return this; }
  TNodeKind NodeKind() const override { return TNodeKind::Folder; }
  void LoadFromStream(TStreamReader& reader) override;
  void SaveToStream(TStreamWriter& writer) const override;
  std::string GetCaption() const override { return FName; }

  const std::string& Name() const { return FName; }
  virtual void SetName(std::string_view name);
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool value) { FExpanded = value; }

  TClipItem* FirstChild() const { return FFirstChild; }
  TClipItem* LastChild() const { return FLastChild; }
  size_t ChildCount() const { return FChildCount; }
  // Clips of any clip class in the whole subtree; folders are not counted.
  size_t ClipCount() const { return FClipCount; }
  bool HasClips() const { return FClipCount > 0; }

  // Creates a T from Args and links it after Prev (first when Prev is null).
  template <class T, class... Args>
  T* Add(TClipItem* prev, Args&&... args) {
    return LinkAfter(std::make_unique<T>(std::forward<Args>(args)...), prev, this);
  }

  // This folder or the first item in its subtree, in chain order, with the ID; null if there is none.
  TClipItem* FindByID(uint32_t id);
  // The child after which an item with this caption belongs alphabetically; null for "first".
  TClipItem* FindSortedPosition(std::string_view caption) const;
  // The first direct child folder of this name, ASCII letters compared without case.
  TClipFolder* FindSubfolder(std::string_view name) const;
  void DeleteChildren();
  // Inserts an unlinked item, merging a folder into a same-named subfolder; returns the item that now
  // stands for it (the existing subfolder after a merge, in which case Item is freed empty).
  TClipItem* MergeItem(TClipItem* prev, std::unique_ptr<TClipItem> item, bool sortedInsert);
  // Sorts every chain of the subtree alphabetically; children of equal captions keep their order.
  void SortAll();

  // Relinks the children in the given order, which must hold each present child exactly once.
  void ReorderChildren(const std::vector<TClipItem*>& order);

 protected:
  // Frees the whole subtree without the delete actions of its nodes, never recursing.
  void FreeChildren();

 private:
  friend class TClipItem;
  void AttachChild(TClipItem* item, TClipItem* prev);
  void DetachChild(TClipItem* item);

  TClipItem* FFirstChild = nullptr;  // owned, with the whole chain
  TClipItem* FLastChild = nullptr;
  size_t FChildCount = 0;
  size_t FClipCount = 0;  // clips in the subtree, kept by AttachChild and DetachChild
  std::string FName;
  bool FExpanded = false;
};

}  // namespace velmora::model
