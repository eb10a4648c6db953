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
  FLabel.Set(reader.ReadString());
  FAbbreviation.Set(reader.ReadString());
  FKind = reader.ReadByte();
  if (FKind == kBeforeAfterText) {
    FBeforeText.Set(reader.ReadString());
    FAfterText.Set(reader.ReadString());
  } else {
    FText.Set(reader.ReadString());
  }
  FIndent = reader.ReadByte() != 0;
  CaptionChanged();
}

void TClip::SaveClipBody(TStreamWriter& writer) const {
  writer.WriteString(Label());
  writer.WriteString(Abbreviation());
  writer.WriteByte(FKind);
  if (FKind == kBeforeAfterText) {
    writer.WriteString(BeforeText());
    writer.WriteString(AfterText());
  } else {
    writer.WriteString(Text());
  }
  writer.WriteByte(FIndent ? 1 : 0);
}

std::string TClip::GetCaption() const {
  if (!Label().empty())
    return Label();
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
  // The same fields give the same caption.
  CopyCaptionSortKey(source);
  FIndent = source.FIndent;
}

bool TClip::Matches(const TClipSearch& search) const {
  if (search.FoundIn(Label()) || search.FoundIn(Abbreviation()))
    return true;
  if (FKind == kBeforeAfterText)
    return search.FoundIn(BeforeText()) || search.FoundIn(AfterText());
  return search.FoundIn(Text());
}

bool TClip::Matches(std::string_view searchText) const {
  return Matches(TClipSearch(searchText));
}

bool TClip::VelTypeStartsWith(std::string_view prefix) const {
  const std::string& abbreviation = Abbreviation();
  if (prefix.empty())
    return !abbreviation.empty();
  if (abbreviation.size() < prefix.size())
    return false;
  return SameTextIgnoringAsciiCase(std::string_view(abbreviation).substr(0, prefix.size()), prefix);
}

std::string TClip::VelTypeCaption() const {
  return Abbreviation() + ": " + GetCaption();
}

std::string TClip::Preview() const {
  constexpr std::string_view kEllipsis = "...";
  // Only the first 40 bytes can show: join the before and after texts no further than that.
  std::string text;
  if (FKind == kBeforeAfterText) {
    text.assign(BeforeText(), 0, kPreviewBytes + 1);
    if (text.size() <= kPreviewBytes)
      text.append(AfterText(), 0, kPreviewBytes + 1 - text.size());
  } else {
    text.assign(Text(), 0, kPreviewBytes + 1);
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
  return FKind == kBeforeAfterText ? BeforeText().empty() && AfterText().empty() : Text().empty();
}

}  // namespace velmora::model
