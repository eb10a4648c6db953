// Exact search through the C library's memmem (and Boyer-Moore backwards); case-insensitive search
// driven by memchr on the first bytes the pattern's first character can have.
#include "editor/TextSearch.h"

#include <unicode/uchar.h>
#include <unicode/uset.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <unordered_map>

#include "model/CaseMapping.h"
#include "model/Utf8.h"

namespace velmora::editor {

namespace {

constexpr char32_t kInvalidByte = 0x80000000;  // above every code point

// What a character is compared as.
char32_t FoldedUnit(const model::TUtf8Char& c) {
  if (!c.Valid)
    return kInvalidByte | c.CodePoint;
  if (c.CodePoint < 0x80)
    return static_cast<char32_t>(model::AsciiLower(static_cast<char>(c.CodePoint)));
  return model::FoldCodePoint(c.CodePoint);
}

// For every folded form, the other code points that fold to it (for "k": "K" and the Kelvin sign). A code
// point whose folding differs from itself changes under case mapping or case folding; the two property
// sets are small, so looking only at them is far quicker than trying every code point. (Case folding alone
// misses U+1FBE, whose canonical decomposition is already lower case.)
const std::unordered_map<char32_t, std::vector<char32_t>>& FoldedToOthers() {
  static const std::unordered_map<char32_t, std::vector<char32_t>> map = [] {
    std::unordered_map<char32_t, std::vector<char32_t>> made;
    for (const UProperty property : {UCHAR_CHANGES_WHEN_CASEMAPPED, UCHAR_CHANGES_WHEN_CASEFOLDED}) {
      UErrorCode status = U_ZERO_ERROR;
      const USet* changing = u_getBinaryPropertySet(property, &status);
      if (U_FAILURE(status) || changing == nullptr)
        continue;
      const int32_t ranges = uset_getRangeCount(changing);
      for (int32_t i = 0; i < ranges; ++i) {
        UChar32 first = 0;
        UChar32 last = 0;
        status = U_ZERO_ERROR;
        uset_getItem(changing, i, &first, &last, nullptr, 0, &status);
        if (U_FAILURE(status))
          continue;
        for (UChar32 c = first; c <= last; ++c) {
          const auto codePoint = static_cast<char32_t>(c);
          const char32_t folded = model::FoldCodePoint(codePoint);
          if (folded == codePoint)
            continue;
          std::vector<char32_t>& others = made[folded];
          if (std::find(others.begin(), others.end(), codePoint) == others.end())
            others.push_back(codePoint);
        }
      }
    }
    return made;
  }();
  return map;
}

}  // namespace

size_t FindFirstOccurrence(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > text.size())
    return std::string_view::npos;
  const void* found = ::memmem(text.data(), text.size(), pattern.data(), pattern.size());
  return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

size_t FindLastOccurrence(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > text.size())
    return std::string_view::npos;
  if (pattern.size() == 1) {
    const void* found = ::memrchr(text.data(), pattern[0], text.size());
    return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data())
                 : std::string_view::npos;
  }
  // Boyer-Moore with the good-suffix rule stays linear up to the first match, which is all that is needed.
  const std::boyer_moore_searcher searcher(pattern.rbegin(), pattern.rend());
  const auto found = std::search(text.rbegin(), text.rend(), searcher);
  if (found == text.rend())
    return std::string_view::npos;
  // Found points at the occurrence's last byte, seen from the end.
  return static_cast<size_t>(text.rend() - found) - pattern.size();
}

TFoldedPattern::TFoldedPattern(std::string_view pattern) {
  for (size_t pos = 0; pos < pattern.size();) {
    const model::TUtf8Char c = model::DecodeUtf8At(pattern, pos);
    FUnits.push_back(FoldedUnit(c));
    pos += c.Length;
  }
  if (FUnits.empty())
    return;
  const char32_t first = FUnits[0];
  if (first & kInvalidByte) {
    const auto byte = static_cast<unsigned char>(first & 0xFF);
    FFirstBytes.push_back(byte);
    FFirstMayBeContinuation = (byte & 0xC0) == 0x80;
    return;
  }
  std::vector<char32_t> alike{first};
  const auto& others = FoldedToOthers();
  if (const auto found = others.find(first); found != others.end())
    alike.insert(alike.end(), found->second.begin(), found->second.end());
  for (const char32_t c : alike) {
    std::string encoded;
    model::AppendUtf8(encoded, c);
    const auto byte = static_cast<unsigned char>(encoded[0]);
    if (std::find(FFirstBytes.begin(), FFirstBytes.end(), byte) == FFirstBytes.end())
      FFirstBytes.push_back(byte);
  }
}

bool TFoldedPattern::MatchesAt(std::string_view text, size_t position, size_t end) const {
  if (FFirstMayBeContinuation && model::Utf8CharStart(text, position) != position)
    return false;
  size_t pos = position;
  for (const char32_t unit : FUnits) {
    if (pos >= end)
      return false;
    const model::TUtf8Char c = model::DecodeUtf8At(text, pos);
    if (pos + c.Length > end || FoldedUnit(c) != unit)
      return false;
    pos += c.Length;
  }
  return true;
}

size_t TFoldedPattern::FindIn(std::string_view text, size_t begin, size_t end, bool backward) const {
  end = std::min(end, text.size());
  // Every character takes at least one byte, so a match cannot start later than this.
  if (FUnits.empty() || begin >= end || end - begin < FUnits.size())
    return std::string_view::npos;
  const size_t lastStart = end - FUnits.size();  // inclusive
  const char* data = text.data();

  // One cursor per possible first byte, each the next (or previous) place of its byte.
  struct TCursor {
    unsigned char Byte;
    const char* At;
  };
  std::vector<TCursor> cursors;
  cursors.reserve(FFirstBytes.size());
  for (const unsigned char byte : FFirstBytes) {
    const void* at = backward ? ::memrchr(data + begin, byte, lastStart + 1 - begin)
                              : std::memchr(data + begin, byte, lastStart + 1 - begin);
    cursors.push_back({byte, static_cast<const char*>(at)});
  }
  for (;;) {
    TCursor* nearest = nullptr;
    for (TCursor& cursor : cursors) {
      if (cursor.At && (!nearest || (backward ? cursor.At > nearest->At : cursor.At < nearest->At)))
        nearest = &cursor;
    }
    if (!nearest)
      return std::string_view::npos;
    const auto position = static_cast<size_t>(nearest->At - data);
    if (MatchesAt(text, position, end))
      return position;
    if (backward) {
      nearest->At = position == begin
                        ? nullptr
                        : static_cast<const char*>(::memrchr(data + begin, nearest->Byte, position - begin));
    } else {
      nearest->At =
          static_cast<const char*>(std::memchr(data + position + 1, nearest->Byte, lastStart - position));
    }
  }
}

}  // namespace velmora::editor
