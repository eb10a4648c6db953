// The clipboard object: the opening rule, and the formats each copy puts and each read prefers.
#include "exchange/ClipboardExt.h"

#include <cassert>

#include "exchange/BinaryText.h"
#include "exchange/ClipRecord.h"
#include "exchange/CollectionBlock.h"
#include "model/Errors.h"
#include "platform/ClipboardFormats.h"

namespace velmora::exchange {

namespace {

// The clip's texts inside a checked record, without copying: the text, or the before and after texts,
// which lie back to back.
std::string_view RecordContent(std::string_view block, const TClipRecordHeader& header) {
  return block.substr(header.DataOffset + header.LabelLength + header.AbbreviationLength,
                      header.ContentLength());
}

}  // namespace

std::string ClipboardText(const model::TClip& clip) {
  if (clip.Kind() == model::kBeforeAfterText)
    return clip.BeforeText() + clip.AfterText();
  return clip.Text();
}

TClipboardExt::TClipboardExt(platform::TClipboard& clipboard, platform::TClipboardOwner owner)
    : FClipboard(clipboard), FOwner(owner) {}

void TClipboardExt::Open() {
  if (FOpenCount == 0) {
    if (!FClipboard.Open(FOwner))
      throw EVelmoraError(kCannotOpenClipboardMessage);
    FEmptied = false;
  }
  ++FOpenCount;
}

void TClipboardExt::Close() {
  assert(FOpenCount > 0 && "Close without Open");
  if (FOpenCount == 0)
    return;
  if (--FOpenCount == 0)
    FClipboard.Close();
}

void TClipboardExt::Clear() {
  TOpening opening(*this);
  FClipboard.Empty();
  FEmptied = true;
}

void TClipboardExt::Put(std::string_view format, std::string_view bytes) {
  TOpening opening(*this);
  if (!FEmptied) {
    FClipboard.Empty();
    FEmptied = true;
  }
  FClipboard.Put(format, bytes);
}

void TClipboardExt::SetText(std::string_view text) {
  Put(platform::kTextFormat, text.substr(0, text.find('\0')));
}

void TClipboardExt::CopyClip(const model::TClip& clip) {
  // Everything is encoded before the clipboard is touched, so a clip too large to put leaves the old
  // content in place.
  const std::string record = EncodeClip(clip);
  const std::string text = ClipboardText(clip);
  const std::string binaryText = text.empty() ? std::string() : EncodeBinaryText(text);

  TOpening opening(*this);
  Clear();
  SetText(text);
  if (!text.empty()) {
    Put(platform::kBinaryTextFormat, binaryText);
    if (clip.Kind() == model::kRectangularText)
      Put(platform::kColumnSelectionFormat, platform::kMarkerBlock);
  }
  Put(platform::kClipFormat, record);
  AddIgnoreMarker();
}

void TClipboardExt::CopyCollection(const model::TClipFile& root, const model::TClip* clip) {
  const std::string collection = EncodeCollection(root);
  TOpening opening(*this);
  if (clip)
    CopyClip(*clip);
  else
    Clear();
  Put(platform::kCollectionFormat, collection);
  // Also without a clip: the tree is the program's own write and must not be captured.
  AddIgnoreMarker();
}

std::unique_ptr<model::TClip> TClipboardExt::ReadClip(std::string_view ignoreText, size_t maxLength) {
  TOpening opening(*this);

  if (FClipboard.Has(platform::kClipFormat)) {
    if (const std::optional<std::string> block = FClipboard.Get(platform::kClipFormat)) {
      const TClipRecordHeader header = ReadClipRecordHeader(*block);
      const size_t length = header.ContentLength();
      if (length == 0 || length > maxLength)
        return nullptr;
      // A before-and-after clip is compared by both its texts, which is what it puts as text.
      if (!ignoreText.empty() && RecordContent(*block, header) == ignoreText)
        return nullptr;
      return DecodeClip(*block, header);
    }
    // The owner did not deliver the record: take the text as from any other application.
  }

  std::string text;
  bool haveText = false;
  if (FClipboard.Has(platform::kBinaryTextFormat)) {
    if (const std::optional<std::string> block = FClipboard.Get(platform::kBinaryTextFormat)) {
      if (const std::optional<std::string_view> bytes = DecodeBinaryText(*block)) {
        if (bytes->size() > maxLength)
          return nullptr;
        text.assign(*bytes);
        haveText = true;
      }
    }
  }
  if (!haveText) {
    const std::optional<uint64_t> size = FClipboard.SizeOf(platform::kTextFormat);
    if (size && *size > maxLength)
      return nullptr;
    std::optional<std::string> block = FClipboard.Get(platform::kTextFormat);
    if (!block)
      return nullptr;
    text = std::move(*block);
  }

  if (text.empty() || text.size() > maxLength || text == ignoreText)
    return nullptr;
  // Our text target carries its length, so a NUL byte can arrive in either format; it makes binary data.
  uint8_t kind = text.find('\0') != std::string::npos ? model::kBinaryData : model::kPlainText;
  if (kind == model::kPlainText && FClipboard.Has(platform::kColumnSelectionFormat))
    kind = model::kRectangularText;
  return std::make_unique<model::TClip>(kind, text);
}

model::TClip* TClipboardExt::ReadClip(model::TClipItem* prev, model::TClipFolder& target,
                                      std::string_view ignoreText, size_t maxLength) {
  std::unique_ptr<model::TClip> clip = ReadClip(ignoreText, maxLength);
  if (!clip)
    return nullptr;
  return model::TClipItem::LinkAfter(std::move(clip), prev, &target);
}

std::unique_ptr<model::TClipFile> TClipboardExt::ReadCollection() {
  TOpening opening(*this);
  if (!FClipboard.Has(platform::kCollectionFormat))
    return nullptr;
  const std::optional<std::string> block = FClipboard.Get(platform::kCollectionFormat);
  if (!block)
    return nullptr;
  return DecodeCollection(*block);
}

bool TClipboardExt::HasClip() const {
  return FClipboard.Has(platform::kClipFormat);
}

bool TClipboardExt::HasIgnoreMarker() {
  if (FClipboard.Has(platform::kIgnoreFormat))
    return true;
  if (!FClipboard.Has(platform::kPasswordHintFormat))
    return false;
  const std::optional<std::string> hint = FClipboard.Get(platform::kPasswordHintFormat);
  return hint && *hint == platform::kPasswordHintSecret;
}

void TClipboardExt::AddIgnoreMarker() {
  Put(platform::kIgnoreFormat, platform::kMarkerBlock);
}

}  // namespace velmora::exchange
