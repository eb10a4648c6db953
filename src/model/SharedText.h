// A clip text shared between copies until one of them sets a new one, so that the view clips of the All
// Collections page and cloned clips cost no copy of texts that can run to megabytes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velmora::model {

class TSharedText {
 public:
  TSharedText() = default;

  const std::string& Get() const { return FText ? *FText : Empty(); }
  void Set(std::string_view text) {
    FText = text.empty() ? nullptr : std::make_shared<const std::string>(text);
  }
  void Set(std::string&& text) {
    FText = text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text));
  }

 private:
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::shared_ptr<const std::string> FText;  // null for the empty text; never changed in place
};

}  // namespace velmora::model
