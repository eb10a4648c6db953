// Writing and checked reading of the clip record.
#include "exchange/ClipRecord.h"

#include <limits>

#include "exchange/LittleEndian.h"
#include "model/Errors.h"

namespace velmora::exchange {

namespace {

constexpr size_t kTotalSizeAt = 0;
constexpr size_t kDataOffsetAt = 4;
constexpr size_t kVersionAt = 8;
constexpr size_t kKindAt = 9;
constexpr size_t kIndentAt = 10;
constexpr size_t kLabelLengthAt = 11;
constexpr size_t kAbbreviationLengthAt = 15;
constexpr size_t kTextLengthAt = 19;
constexpr size_t kAfterLengthAt = 23;
constexpr uint8_t kHighestKindCode = 4;

// A stored length; 0 or less is an empty string.
uint64_t LengthAt(std::string_view block, size_t pos) {
  const int32_t length = detail::ReadInt32At(block, pos);
  return length > 0 ? static_cast<uint64_t>(length) : 0;
}

uint8_t KindFromCode(uint8_t code) {
  return code <= 1 ? model::kPlainText : static_cast<uint8_t>(code - 1);
}

}  // namespace

std::string EncodeClip(const model::TClip& clip) {
  const bool beforeAfter = clip.Kind() == model::kBeforeAfterText;
  const std::string_view text = beforeAfter ? clip.BeforeText() : clip.Text();
  const std::string_view after = beforeAfter ? std::string_view(clip.AfterText()) : std::string_view();
  // Every field, the total included, must also read back as a non-negative signed value.
  const uint64_t total = kClipRecordHeaderSize + uint64_t{clip.Label().size()} + clip.Abbreviation().size() +
                         text.size() + after.size();
  if (total > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
    throw EVelmoraError(kClipTooLargeMessage);
  const uint8_t code = clip.Kind() <= model::kBeforeAfterText ? static_cast<uint8_t>(clip.Kind() + 1) : 1;

  std::string block;
  block.reserve(static_cast<size_t>(total));
  detail::AppendUint32(block, static_cast<uint32_t>(total));
  detail::AppendUint32(block, static_cast<uint32_t>(kClipRecordHeaderSize));
  block.push_back(static_cast<char>(kClipRecordVersion));
  block.push_back(static_cast<char>(code));
  block.push_back(clip.Indent() ? 1 : 0);
  detail::AppendUint32(block, static_cast<uint32_t>(clip.Label().size()));
  detail::AppendUint32(block, static_cast<uint32_t>(clip.Abbreviation().size()));
  detail::AppendUint32(block, static_cast<uint32_t>(text.size()));
  detail::AppendUint32(block, static_cast<uint32_t>(after.size()));
  block.append(clip.Label());
  block.append(clip.Abbreviation());
  block.append(text);
  block.append(after);
  return block;
}

TClipRecordHeader ReadClipRecordHeader(std::string_view block) {
  if (block.size() < kClipRecordHeaderSize)
    throw EVelmoraError(kInvalidLengthMessage);
  const auto version = static_cast<uint8_t>(block[kVersionAt]);
  if (version == 0)
    throw EVelmoraError(kInvalidVersionMessage);
  const auto code = static_cast<uint8_t>(block[kKindAt]);
  if (code > kHighestKindCode)
    throw EVelmoraError(version == kClipRecordVersion ? kInvalidKindMessage : kNewerClipMessage);

  TClipRecordHeader header;
  header.Kind = KindFromCode(code);
  header.Indent = static_cast<uint8_t>(block[kIndentAt]) == 1;
  // All sizes are compared in 64 bits, so no sum of 32-bit fields can wrap.
  const uint64_t total = detail::ReadUint32At(block, kTotalSizeAt);
  const uint64_t offset = detail::ReadUint32At(block, kDataOffsetAt);
  if (total > block.size() || offset < kClipRecordHeaderSize || offset > block.size())
    throw EVelmoraError(kInvalidLengthMessage);
  const uint64_t label = LengthAt(block, kLabelLengthAt);
  const uint64_t abbreviation = LengthAt(block, kAbbreviationLengthAt);
  const uint64_t text = LengthAt(block, kTextLengthAt);
  const uint64_t after = header.Kind == model::kBeforeAfterText ? LengthAt(block, kAfterLengthAt) : 0;
  if (label + abbreviation + text + after > block.size() - offset)
    throw EVelmoraError(kInvalidLengthMessage);

  header.DataOffset = static_cast<size_t>(offset);
  header.LabelLength = static_cast<size_t>(label);
  header.AbbreviationLength = static_cast<size_t>(abbreviation);
  header.TextLength = static_cast<size_t>(text);
  header.AfterLength = static_cast<size_t>(after);
  return header;
}

std::unique_ptr<model::TClip> DecodeClip(std::string_view block, const TClipRecordHeader& header) {
  auto clip = std::make_unique<model::TClip>();
  clip->SetKind(header.Kind);
  clip->SetIndent(header.Indent);
  size_t pos = header.DataOffset;
  const auto take = [&block, &pos](size_t length) {
    const std::string_view piece = block.substr(pos, length);
    pos += length;
    return piece;
  };
  clip->SetLabel(take(header.LabelLength));
  clip->SetAbbreviation(take(header.AbbreviationLength));
  if (header.Kind == model::kBeforeAfterText) {
    clip->SetBeforeText(take(header.TextLength));
    clip->SetAfterText(take(header.AfterLength));
  } else {
    clip->SetText(take(header.TextLength));
  }
  return clip;
}

std::unique_ptr<model::TClip> DecodeClip(std::string_view block) {
  return DecodeClip(block, ReadClipRecordHeader(block));
}

}  // namespace velmora::exchange
