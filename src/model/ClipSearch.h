// A search text prepared for finding it in many texts regardless of case, per code point, without
// allocating per text.
#pragma once

#include <string_view>
#include <vector>

namespace velmora::model {

class TClipSearch {
 public:
  explicit TClipSearch(std::string_view searchText);

  // True when the search text occurs in Text ignoring case; an empty search text occurs everywhere.
  bool FoundIn(std::string_view text) const;
  bool Empty() const { return FNeedle.empty(); }

 private:
  std::vector<char32_t> FNeedle;  // folded code points; an invalid byte b is kInvalidByteBase + b
  bool FAsciiStart[256] = {};  // bytes that may begin a match (ASCII equal to the first one, any non-ASCII)
};

}  // namespace velmora::model
