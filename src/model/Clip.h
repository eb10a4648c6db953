// A clip: the leaf of a clip tree, with its kind, texts and the captions derived from them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ClipItem.h"
#include "model/SharedText.h"

namespace velmora::model {

class TClipSearch;

inline constexpr uint8_t kPlainText = 0;
inline constexpr uint8_t kRectangularText = 1;
inline constexpr uint8_t kBinaryData = 2;
inline constexpr uint8_t kBeforeAfterText = 3;

inline constexpr char kNewClipCaption[] = "New clip";
inline constexpr size_t kPreviewBytes = 40;

class TClip : public TClipItem {
 public:
  TClip() : TClipItem(true) {}
  TClip(uint8_t kind, std::string_view text) : TClipItem(true), FKind(kind) { FText.Set(text); }

  TClip* AsClip() override { return this; }
  const TClip* AsClip() const override { return this; }
  TNodeKind NodeKind() const override { return TNodeKind::Clip; }
  void LoadFromStream(TStreamReader& reader) override;
  void SaveToStream(TStreamWriter& writer) const override;
  // The label, else the preview, else "New clip".
  std::string GetCaption() const override;

  // Kinds above 3 can come from a file; they are kept as read and treated like kinds 0 to 2.
  uint8_t Kind() const { return FKind; }
  void SetKind(uint8_t kind) {
    FKind = kind;
    CaptionChanged();
  }
  const std::string& Label() const { return FLabel.Get(); }
  void SetLabel(std::string_view label) {
    FLabel.Set(label);
    CaptionChanged();
  }
  const std::string& Abbreviation() const { return FAbbreviation.Get(); }
  void SetAbbreviation(std::string_view abbreviation) { FAbbreviation.Set(abbreviation); }
  const std::string& Text() const { return FText.Get(); }
  void SetText(std::string_view text) {
    FText.Set(text);
    CaptionChanged();
  }
  const std::string& BeforeText() const { return FBeforeText.Get(); }
  void SetBeforeText(std::string_view text) {
    FBeforeText.Set(text);
    CaptionChanged();
  }
  const std::string& AfterText() const { return FAfterText.Get(); }
  void SetAfterText(std::string_view text) {
    FAfterText.Set(text);
    CaptionChanged();
  }
  bool Indent() const { return FIndent; }
  void SetIndent(bool indent) { FIndent = indent; }

  // Copies kind, label, abbreviation, all three texts and indent; not the ID, links or selection. The
  // texts are shared, not duplicated, until either clip sets a new one.
  void Assign(const TClip& source);
  // The edit notification; a view clip writes its fields back to the real clip.
  virtual void Changed() {}

  // True when the search text occurs, ignoring case, in the label, the abbreviation or the texts of the
  // clip's kind. Prepare the search once when testing many clips.
  bool Matches(const TClipSearch& search) const;
  bool Matches(std::string_view searchText) const;
  bool VelTypeStartsWith(std::string_view prefix) const;
  std::string VelTypeCaption() const;
  // At most 40 bytes of the text, cut with "..." when longer, without control characters.
  std::string Preview() const;
  bool IsEmpty() const;

 protected:
  void LoadClipBody(TStreamReader& reader);
  void SaveClipBody(TStreamWriter& writer) const;

 private:
  uint8_t FKind = kPlainText;
  bool FIndent = false;
  TSharedText FLabel;
  TSharedText FAbbreviation;
  TSharedText FText;
  TSharedText FBeforeText;
  TSharedText FAfterText;
};

}  // namespace velmora::model
