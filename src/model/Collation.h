// Alphabetical order of captions: an ICU collator for the user's locale that ignores case (but not
// accents). Compare and SortKey agree: comparing two sort keys bytewise gives Compare's answer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace velmora::model {

class TCollation {
 public:
  // The collation every caption comparison uses; built for the user's locale on first use.
  static TCollation& Instance();

  explicit TCollation(const std::string& locale);
  ~TCollation();
  TCollation(const TCollation&) = delete;  // owns the ICU collator
  TCollation& operator=(const TCollation&) = delete;

  // Replaces the collator by one for Locale ("" for the user's default), e.g. so tests do not depend on
  // the machine's language.
  void SetLocale(const std::string& locale);
  const std::string& Locale() const { return FLocale; }
  // Changes with every SetLocale, so that sort keys kept by items can tell that they are stale.
  uint32_t Generation() const { return FGeneration; }

  // Less than 0, 0 or greater than 0. Invalid UTF-8 compares as U+FFFD.
  int Compare(std::string_view a, std::string_view b) const;

  // Replaces Key with the sort key of Text.
  void SortKey(std::string_view text, std::string& key) const;

 private:
  std::string FLocale;
  UCollator* FCollator = nullptr;
  uint32_t FGeneration = 1;
};

// The user's collation locale from the environment ("" for the root collation).
std::string UserCollationLocale();

// Compare with the shared collation.
inline int CompareCaptions(std::string_view a, std::string_view b) {
  return TCollation::Instance().Compare(a, b);
}

}  // namespace velmora::model
