// The node every clip tree is made of: identity, place in the parent's chain, and the operations each
// kind of node answers in its own way (stream body, caption, deleting).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::model {

class TClip;
class TClipFile;
class TClipFolder;
class TStreamReader;
class TStreamWriter;

// The node kind byte of a stored child record.
enum class TNodeKind : uint8_t { Folder = 0, Clip = 1, RecycledClip = 2 };

// IDs below this are never given to items: the automation interface uses 0 to 3 for the special
// collections.
inline constexpr uint32_t kFirstItemID = 256;

// An item is owned by its parent folder while linked, and by a std::unique_ptr while unlinked: linking
// takes the pointer, unlinking gives it back.
class TClipItem {
 public:
  virtual ~TClipItem();
  TClipItem(const TClipItem&) = delete;  // an item has one place in one tree and one ID
  TClipItem& operator=(const TClipItem&) = delete;

  uint32_t ID() const { return FID; }
  TClipItem* PrevSibling() const { return FPrevSibling; }
  TClipItem* NextSibling() const { return FNextSibling; }
  TClipFolder* Parent() const { return FParent; }
  bool Selected() const { return FSelected; }
  void SetSelected(bool value) { FSelected = value; }

  virtual TClipFolder* AsFolder() { return nullptr; }
  virtual const TClipFolder* AsFolder() const { return nullptr; }
  virtual TClip* AsClip() { return nullptr; }
  virtual const TClip* AsClip() const { return nullptr; }
  bool IsFolder() const { return AsFolder() != nullptr; }
  bool IsClip() const { return AsClip() != nullptr; }

  // The node kind a writer stores for this item.
  virtual TNodeKind NodeKind() const = 0;
  // Reads and writes the item's body (for a root: the header, then the body).
  virtual void LoadFromStream(TStreamReader& reader) = 0;
  virtual void SaveToStream(TStreamWriter& writer) const = 0;
  virtual std::string GetCaption() const = 0;
  // The collation sort key of the caption, computed when first asked for and kept until the caption
  // or the collation changes: the All Collections view and sorting ask for it again and again.
  const std::string& CaptionSortKey() const;

  // Links an unlinked item right after Prev in Parent, or as Parent's first child when Prev is null.
  // Parent may be null when Prev is given (Prev's parent is taken); one of the two is required.
  template <class T>
  static T* LinkAfter(std::unique_ptr<T> item, TClipItem* prev, TClipFolder* parent) {
    T* raw = item.get();
    LinkItem(std::unique_ptr<TClipItem>(std::move(item)), prev, parent);
    return raw;
  }
  // Takes the item out of its parent's chain and hands over its ownership (null for an unlinked item).
  std::unique_ptr<TClipItem> Unlink();
  // Unlink, then link after Prev in Parent.
  void MoveAfter(TClipItem* prev, TClipFolder* parent);
  // Moves the item to its alphabetical place among its siblings.
  void Resort();

  // Deletes the item with its whole subtree, each node in its own way (a view item also deletes the
  // real item it stands for), children before their folder. A linked item is freed; an unlinked one is
  // left empty for its owner to free.
  void Delete();

  // A copy of the subtree as plain folders and clips, with new IDs, unlinked.
  std::unique_ptr<TClipItem> Clone() const;
  // A copy linked after Prev in Parent.
  TClipItem* Clone(TClipItem* prev, TClipFolder* parent) const;

  // The root of the tree the item is in (itself for a root), and that root as a collection if it is one.
  TClipItem* Root();
  TClipFile* File();

  // Conversion to and from the automation interface's values is added by the automation service, which
  // may also set IDs from outside (SetID).

 protected:
  // Clips and folders are the two kinds of node; which one an item is must be known in its destructor.
  explicit TClipItem(bool isClip);
  void SetID(uint32_t id);
  // Every change that can change the caption calls this.
  void CaptionChanged() { FCaptionKeyGeneration = 0; }
  // Takes over the kept sort key of an item whose caption is the same.
  void CopyCaptionSortKey(const TClipItem& source);
  // What deleting this node does before it is freed; view items delete their real items here.
  virtual void OnDelete() {}

 private:
  friend class TClipFolder;
  static void LinkItem(std::unique_ptr<TClipItem> item, TClipItem* prev, TClipFolder* parent);

  TClipItem* FPrevSibling = nullptr;  // not owned
  TClipItem* FNextSibling = nullptr;  // not owned
  TClipFolder* FParent = nullptr;     // not owned; owns this item while set
  uint32_t FID;
  mutable uint32_t FCaptionKeyGeneration = 0;  // the collation's generation FCaptionKey is for; 0: none
  mutable std::string FCaptionKey;
  const bool FIsClip;
  bool FSelected = false;
};

// The item with this ID anywhere in the process, or null. Items are few enough that the lookup table
// costs less than walking any tree.
TClipItem* FindItemByID(uint32_t id);

// How many living items carry this ID: more than one only after IDs were set from outside.
size_t CountItemsWithID(uint32_t id);

// The ID the next item will get; for tests.
uint32_t PeekNextItemID();

}  // namespace velmora::model
