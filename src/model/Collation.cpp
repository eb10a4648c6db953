#include "model/Collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <vector>

#include "model/Errors.h"

namespace velmora::model {

namespace {

UCollator* OpenCollator(const std::string& locale) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open(locale.empty() ? nullptr : locale.c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    collator = ucol_open("", &status);  // the root collation always exists
  }
  if (U_FAILURE(status) || collator == nullptr) {
    throw EVelmoraError("Cannot load the collation rules for sorting");
  }
  // Secondary strength: letters and accents count, case does not.
  ucol_setStrength(collator, UCOL_SECONDARY);
  return collator;
}

}  // namespace

// The locale captions are sorted for: LC_ALL, LC_COLLATE or LANG as POSIX names them ("de_DE.UTF-8"),
// without the encoding; the root collation for C and POSIX.
std::string UserCollationLocale() {
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value)
      continue;
    std::string locale(value);
    locale = locale.substr(0, locale.find_first_of(".@"));
    return locale == "C" || locale == "POSIX" ? std::string() : locale;
  }
  return {};
}

TCollation& TCollation::Instance() {
  static TCollation instance(UserCollationLocale());
  return instance;
}

TCollation::TCollation(const std::string& locale) : FLocale(locale), FCollator(OpenCollator(locale)) {}

TCollation::~TCollation() {
  ucol_close(FCollator);
}

void TCollation::SetLocale(const std::string& locale) {
  UCollator* replacement = OpenCollator(locale);
  ucol_close(FCollator);
  FCollator = replacement;
  FLocale = locale;
  ++FGeneration;
}

int TCollation::Compare(std::string_view a, std::string_view b) const {
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult result = ucol_strcollUTF8(FCollator, a.data(), static_cast<int32_t>(a.size()),
                                                   b.data(), static_cast<int32_t>(b.size()), &status);
  if (U_FAILURE(status))
    return a.compare(b);
  return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

void TCollation::SortKey(std::string_view text, std::string& key) const {
  // Scratch space kept between calls: sorting computes one key per item, and a key computed into a
  // buffer that is too small has to be computed again.
  thread_local std::vector<UChar> utf16;
  thread_local std::vector<uint8_t> scratch;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  utf16.resize(text.size() + 1);
  u_strFromUTF8WithSub(utf16.data(), static_cast<int32_t>(utf16.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) {
    key.assign(text);
    return;
  }
  // Secondary-strength keys take about three bytes per character; leave room for more.
  const size_t estimate = 4 * static_cast<size_t>(length) + 32;
  if (scratch.size() < estimate)
    scratch.resize(estimate);
  int32_t needed =
      ucol_getSortKey(FCollator, utf16.data(), length, scratch.data(), static_cast<int32_t>(scratch.size()));
  if (needed > static_cast<int32_t>(scratch.size())) {
    scratch.resize(static_cast<size_t>(needed));
    needed = ucol_getSortKey(FCollator, utf16.data(), length, scratch.data(),
                             static_cast<int32_t>(scratch.size()));
  }
  // The key ends in a terminating zero that adds nothing to the order.
  key.assign(reinterpret_cast<const char*>(scratch.data()), needed > 0 ? static_cast<size_t>(needed - 1) : 0);
}

}  // namespace velmora::model
