// Substring search over contiguous text: exact, and ignoring case per code point.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora::editor {

// The first occurrence of Pattern in Text, or npos; an empty pattern is never found. Linear time.
size_t FindFirstOccurrence(std::string_view text, std::string_view pattern);
// The last occurrence (the highest start) of Pattern in Text, or npos; an empty pattern is never found.
size_t FindLastOccurrence(std::string_view text, std::string_view pattern);

// A pattern compared without case: each character of the text matches a character of the pattern when
// both have the same simple case folding (so "K", the Kelvin sign and "k" are alike, and a match may be
// longer or shorter in bytes than the pattern). A byte that is not valid UTF-8 matches only the same
// invalid byte. A match never starts or ends inside a valid UTF-8 sequence.
class TFoldedPattern {
 public:
  explicit TFoldedPattern(std::string_view pattern);

  bool Empty() const { return FUnits.empty(); }

  // The start of a match that lies within Text[Begin, End): the lowest start, or with Backward the highest,
  // or npos. Text around that range is context only: it decides where characters start and end.
  size_t FindIn(std::string_view text, size_t begin, size_t end, bool backward) const;

 private:
  bool MatchesAt(std::string_view text, size_t position, size_t end) const;

  std::vector<char32_t> FUnits;            // the folded characters; an invalid byte b is kInvalidByte | b
  std::vector<unsigned char> FFirstBytes;  // first byte of every character that matches FUnits[0]
  bool FFirstMayBeContinuation = false;    // FUnits[0] is an invalid continuation byte
};

}  // namespace velmora::editor
