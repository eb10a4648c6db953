#include "model/ClipFile.h"

#include <cstring>
#include <vector>

#include "model/AtomicFile.h"
#include "model/CollectionStream.h"
#include "model/Errors.h"
#include "model/FileSource.h"

namespace velmora::model {

namespace {

constexpr uint8_t kFormatVersion = 1;
constexpr uint8_t kFormatRevision = 1;
constexpr size_t kSignatureLength = sizeof(kCollectionSignature) - 1;

}  // namespace

TClipFile::TClipFile() {
  const TClock& clock = CurrentClock();
  FLastChanged = clock.Now();
  FFirstUnsavedChange = FLastChanged;
  FFirstUnsavedTick = clock.Monotonic();
}

void TClipFile::LoadFromStream(TStreamReader& reader) {
  char signature[kSignatureLength];
  for (char& c : signature)
    c = static_cast<char>(reader.ReadByte());
  if (std::memcmp(signature, kCollectionSignature, kSignatureLength) != 0) {
    throw EVelmoraError(kNotACollectionMessage);
  }
  if (reader.ReadByte() != kFormatVersion)
    throw EVelmoraError(kNewerVersionMessage);
  if (reader.ReadByte() != kFormatRevision)
    throw EVelmoraError(kNotACollectionMessage);
  FSorted = reader.ReadByte() != 0;
  TClipFolder::LoadFromStream(reader);
}

void TClipFile::SaveToStream(TStreamWriter& writer) const {
  writer.Write(kCollectionSignature, kSignatureLength);
  writer.WriteByte(kFormatVersion);
  writer.WriteByte(kFormatRevision);
  writer.WriteByte(FSorted ? 1 : 0);
  TClipFolder::SaveToStream(writer);
}

void TClipFile::LoadFromFile(const std::string& path) {
  // Read through a window rather than into one buffer of the file's size: a large collection is copied
  // once, into its clips.
  TFileSource source(path);
  SetFileName(path);
  TStreamReader reader(source, source.Size());
  LoadFromStream(reader);
  FLastChanged = LocalDateTimeFromUnix(source.ModifiedSeconds(), source.ModifiedNanoseconds());
  FModified = false;
}

void TClipFile::SaveToFile(const std::string& path) {
  WriteFileAtomically(path, [this](TStreamWriter& writer) { SaveToStream(writer); });
  SetFileName(path);
  FModified = false;
}

void TClipFile::SetFileName(const std::string& path) {
  FFileName = path;
  const size_t slash = path.rfind('/');
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = base.rfind('.');
  if (dot != std::string::npos)
    base.resize(dot);
  SetName(base);
}

void TClipFile::MarkModified() {
  const TClock& clock = CurrentClock();
  FLastChanged = clock.Now();
  if (!FModified) {
    FModified = true;
    FFirstUnsavedChange = FLastChanged;
    FFirstUnsavedTick = clock.Monotonic();
  }
}

bool TClipFile::NeedsAutoSave() const {
  return FModified && CurrentClock().Monotonic() - FFirstUnsavedTick > kAutoSaveDelay;
}

void TClipFile::SetSorted(bool value) {
  if (value == FSorted)
    return;
  FSorted = value;
  if (value)
    SortAll();
}

namespace {

// The folders from Folder up to, not including, Root, outermost first.
std::vector<const TClipFolder*> PathBelow(const TClipFolder& root, const TClipFolder& folder) {
  std::vector<const TClipFolder*> path;
  for (const TClipFolder* node = &folder; node && node != &root; node = node->Parent())
    path.push_back(node);
  return {path.rbegin(), path.rend()};
}

}  // namespace

TClipFolder* TClipFile::EnsurePath(const TClipFolder& sourceRoot, const TClipFolder& sourceFolder) {
  TClipFolder* current = this;
  for (const TClipFolder* source : PathBelow(sourceRoot, sourceFolder)) {
    TClipFolder* next = current->FindSubfolder(source->Name());
    if (!next) {
      TClipItem* position = FSorted ? current->FindSortedPosition(source->Name()) : nullptr;
      next = LinkAfter(std::make_unique<TClipFolder>(), position, current);
      next->SetName(source->Name());  // also an empty name, which the constructor would replace
    }
    current = next;
  }
  return current;
}

TClipFolder* TClipFile::FindPath(const TClipFolder& sourceRoot, const TClipFolder& sourceFolder) {
  TClipFolder* current = this;
  for (const TClipFolder* source : PathBelow(sourceRoot, sourceFolder)) {
    current = current->FindSubfolder(source->Name());
    if (!current)
      return this;
  }
  return current;
}

void MarkCollectionOf(TClipItem& item) {
  if (TClipFile* file = item.File()) {
    file->SetNeedsRefresh(true);
    file->MarkModified();
  }
}

}  // namespace velmora::model
