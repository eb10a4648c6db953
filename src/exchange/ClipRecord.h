// The clip record of the "Velmora Clip" format: one clip with its kind, label, abbreviation, texts and
// indent flag, as a 27-byte little-endian header followed by the strings back to back.
//
//   offset size field
//        0    4 total size: 27 + the lengths of all strings (not used when reading)
//        4    4 data offset: where the strings start (27 when written; a newer header may be longer)
//        8    1 version: 1 when written; 0 is refused
//        9    1 kind code: model kind + 1; codes 0 and 1 read as plain text, above 4 refused
//       10    1 indent: 1 means true
//       11    4 label length         (signed; 0 or less is empty)
//       15    4 abbreviation length  (likewise)
//       19    4 text length          (kind 3: the before text)
//       23    4 after length         (kind 3 only; 0 otherwise)
//       27    … label, abbreviation, then the text, or the before text and the after text
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Clip.h"

namespace velmora::exchange {

inline constexpr char kInvalidVersionMessage[] = "Invalid version in VelmoraData";
inline constexpr char kInvalidKindMessage[] = "Invalid kind in VelmoraData";
inline constexpr char kNewerClipMessage[] =
    "The Velmora Clip on the clipboard is compatible with a more recent version of Velmora.  Please upgrade "
    "your copy of Velmora to the latest version.";
// A record whose size, data offset or lengths run past its block.
inline constexpr char kInvalidLengthMessage[] = "Invalid length in VelmoraData";
inline constexpr char kClipTooLargeMessage[] = "The clip is too large for the clipboard";

inline constexpr size_t kClipRecordHeaderSize = 27;
inline constexpr uint8_t kClipRecordVersion = 1;

// The checked header of a record: every string it names lies inside the block.
struct TClipRecordHeader {
  uint8_t Kind = model::kPlainText;  // the model kind, 0 to 3
  bool Indent = false;
  size_t DataOffset = kClipRecordHeaderSize;
  size_t LabelLength = 0;
  size_t AbbreviationLength = 0;
  size_t TextLength = 0;   // kind 3: the before text
  size_t AfterLength = 0;  // 0 unless kind 3
  // The length of the clip's texts (label and abbreviation not counted).
  size_t ContentLength() const { return TextLength + AfterLength; }
};

// The record of Clip. Kinds above 3, which only a newer collection file holds, are written as plain text so
// that every reader accepts the record. A clip whose record would not fit the 32-bit fields is refused with
// "The clip is too large for the clipboard".
std::string EncodeClip(const model::TClip& clip);

// Checks Block's header without copying any string: version 0, a kind code above 4 and any size, offset or
// length past the block raise, in that order, with the messages above.
TClipRecordHeader ReadClipRecordHeader(std::string_view block);

// A new unlinked clip from Block, whose header must be the one ReadClipRecordHeader gave.
std::unique_ptr<model::TClip> DecodeClip(std::string_view block, const TClipRecordHeader& header);
// Both steps at once.
std::unique_ptr<model::TClip> DecodeClip(std::string_view block);

}  // namespace velmora::exchange
