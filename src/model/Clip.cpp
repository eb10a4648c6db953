#include "model/Clip.h"

#include "model/CaseMapping.h"
#include "model/ClipSearch.h"
#include "model/CollectionStream.h"
#include "model/Utf8.h"

namespace velmora::model {

void TClip::LoadFromStream(TStreamReader& reader) {
  LoadClipBody(reader);
}
void TClip::SaveToStream(TStreamWriter& writer) const {
  SaveClipBody(writer);
}

void TClip::LoadClipBody(TStreamReader& reader) {
  FLabel = reader.ReadString();
  FAbbreviation = reader.ReadString();
  FKind = reader.ReadByte();
  if (FKind == kBeforeAfterText) {
    FBeforeText = reader.ReadString();
    FAfterText = reader.ReadString();
  } else {
    FText = reader.ReadString();
  }
  FIndent = reader.ReadByte() != 0;
}

void TClip::SaveClipBody(TStreamWriter& writer) const {
  writer.WriteString(FLabel);
  writer.WriteString(FAbbreviation);
  writer.WriteByte(FKind);
  if (FKind == kBeforeAfterText) {
    writer.WriteString(FBeforeText);
    writer.WriteString(FAfterText);
  } else {
    writer.WriteString(FText);
  }
  writer.WriteByte(FIndent ? 1 : 0);
}

std::string TClip::GetCaption() const {
  if (!FLabel.empty())
    return FLabel;
  std::string preview = Preview();
  return preview.empty() ? std::string(kNewClipCaption) : preview;
}

void TClip::Assign(const TClip& source) {
  FKind = source.FKind;
  FLabel = source.FLabel;
  FAbbreviation = source.FAbbreviation;
  FText = source.FText;
  FBeforeText = source.FBeforeText;
  FAfterText = source.FAfterText;
  FIndent = source.FIndent;
}

bool TClip::Matches(const TClipSearch& search) const {
  if (search.FoundIn(FLabel) || search.FoundIn(FAbbreviation))
    return true;
  if (FKind == kBeforeAfterText)
    return search.FoundIn(FBeforeText) || search.FoundIn(FAfterText);
  return search.FoundIn(FText);
}

bool TClip::Matches(std::string_view searchText) const {
  return Matches(TClipSearch(searchText));
}

bool TClip::VelTypeStartsWith(std::string_view prefix) const {
  if (prefix.empty())
    return !FAbbreviation.empty();
  if (FAbbreviation.size() < prefix.size())
    return false;
  return SameTextIgnoringAsciiCase(std::string_view(FAbbreviation).substr(0, prefix.size()), prefix);
}

std::string TClip::VelTypeCaption() const {
  return FAbbreviation + ": " + GetCaption();
}

std::string TClip::Preview() const {
  constexpr std::string_view kEllipsis = "...";
  // Only the first 40 bytes can show: join the before and after texts no further than that.
  std::string text;
  if (FKind == kBeforeAfterText) {
    text.assign(FBeforeText, 0, kPreviewBytes + 1);
    if (text.size() <= kPreviewBytes)
      text.append(FAfterText, 0, kPreviewBytes + 1 - text.size());
  } else {
    text.assign(FText, 0, kPreviewBytes + 1);
  }
  if (text.size() > kPreviewBytes) {
    // Cut before the 38th byte, or earlier so that no character is split.
    text.resize(Utf8CutPoint(text, kPreviewBytes - kEllipsis.size()));
    text.append(kEllipsis);
  }
  std::string preview;
  preview.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 32)
      preview.push_back(c);
  }
  return preview;
}

bool TClip::IsEmpty() const {
  return FKind == kBeforeAfterText ? FBeforeText.empty() && FAfterText.empty() : FText.empty();
}

}  // namespace velmora::model
