// The root of a clip tree: a collection, optionally bound to a .vmc file, with its modification state.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "model/ClipFolder.h"
#include "model/Clock.h"

namespace velmora::model {

inline constexpr char kCollectionSignature[] = "VELMORA";
inline constexpr char kNotACollectionMessage[] = "The file is not an Velmora Collection file";
inline constexpr char kNewerVersionMessage[] =
    "The Velmora Collection was created with a more recent version of Velmora.  Please upgrade your copy "
    "of Velmora.";

// A collection is saved automatically once its first unsaved change is strictly older than this.
inline constexpr std::chrono::minutes kAutoSaveDelay{5};

class TClipFile : public TClipFolder {
 public:
  TClipFile();

  // The header (signature, version, revision, sorted), then the root's folder body. Loading expects an
  // empty root and does not re-sort.
  void LoadFromStream(TStreamReader& reader) override;
  void SaveToStream(TStreamWriter& writer) const override;

  // Reads the collection at Path; the root takes the file's name first, then the name stored inside.
  void LoadFromFile(const std::string& path);
  // Writes the collection to Path through a temporary file that replaces it only when complete. On
  // failure the old file, FileName and Modified stay as they were.
  void SaveToFile(const std::string& path);

  const std::string& FileName() const { return FFileName; }
  // Sets FileName and takes the file's base name without its extension as Name.
  void SetFileName(const std::string& path);

  TDateTime LastChanged() const { return FLastChanged; }
  TDateTime FirstUnsavedChange() const { return FFirstUnsavedChange; }
  bool Modified() const { return FModified; }
  void MarkModified();
  bool NeedsAutoSave() const;

  bool Sorted() const { return FSorted; }
  // Switching on sorts the whole collection; switching off keeps the present order.
  void SetSorted(bool value);
  bool NeedsRefresh() const { return FNeedsRefresh; }
  void SetNeedsRefresh(bool value) { FNeedsRefresh = value; }

  // The folder in this root that matches SourceFolder's path below SourceRoot, created where missing.
  TClipFolder* EnsurePath(const TClipFolder& sourceRoot, const TClipFolder& sourceFolder);
  // The same walk without creating: the deepest match when the whole path exists, else this root.
  TClipFolder* FindPath(const TClipFolder& sourceRoot, const TClipFolder& sourceFolder);

 private:
  std::string FFileName;
  TDateTime FLastChanged;
  TDateTime FFirstUnsavedChange;
  std::chrono::nanoseconds FFirstUnsavedTick{};  // monotonic reading at FFirstUnsavedChange
  bool FModified = false;
  bool FSorted = false;
  bool FNeedsRefresh = false;
};

// Sets NeedsRefresh on the collection holding Item and marks it modified.
void MarkCollectionOf(TClipItem& item);

}  // namespace velmora::model
