// An in-memory clipboard for tests: keeps the formats in a map, counts changes and transfers, and can play
// another application that owns the clipboard or writes to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Clipboard.h"

namespace velmora::platform {

// The owner id "another application" opens the clipboard with.
inline constexpr TClipboardOwner kOtherApplication = ~TClipboardOwner{0};

class TFakeClipboard final : public TClipboard {
 public:
  bool Open(TClipboardOwner owner) override;
  void Close() override;
  void Empty() override;
  void Put(std::string_view format, std::string_view bytes) override;

  bool Has(std::string_view format) const override;
  std::optional<std::string> Get(std::string_view format) override;
  std::vector<std::string> Formats() const override;
  std::optional<uint64_t> SizeOf(std::string_view format) const override;

  void SetChangeHandler(std::function<void()> handler) override { FChangeHandler = std::move(handler); }

  // For testing: what the clipboard holds and how it got there.
  bool IsOpen() const { return FOwner.has_value(); }
  std::optional<TClipboardOwner> Owner() const { return FOwner; }
  // The owner of the content: whoever emptied it last.
  std::optional<TClipboardOwner> ContentOwner() const { return FContentOwner; }
  // Formats in the order they were first put since the last emptying.
  const std::vector<std::string>& PutOrder() const { return FPutOrder; }
  // A block without counting a transfer; null when absent.
  const std::string* Peek(std::string_view format) const;
  // Content changes announced so far, and how often Empty ran.
  uint64_t ChangeCount() const { return FChangeCount; }
  uint64_t EmptyCount() const { return FEmptyCount; }
  // How many times blocks were transferred by Get, per format.
  size_t TransferCount(std::string_view format) const;
  // While set, Open fails as when another program holds the clipboard.
  void SetRefuseOpen(bool refuse) { FRefuseOpen = refuse; }
  // When set, SizeOf answers none, like a backend that cannot tell sizes in advance.
  void SetSizesUnknown(bool unknown) { FSizesUnknown = unknown; }

  // Another application opens the clipboard, empties it, lets Writes put its formats, and closes it.
  // False when the clipboard could not be opened.
  bool ActAsOtherApplication(const std::function<void(TClipboard&)>& writes);
  // The same for a list of format names and blocks.
  bool PutFromOtherApplication(const std::vector<std::pair<std::string, std::string>>& formats);

 private:
  void RequireOpen(const char* operation) const;

  std::map<std::string, std::string, std::less<>> FFormats;
  std::vector<std::string> FPutOrder;
  std::map<std::string, size_t, std::less<>> FTransfers;
  std::optional<TClipboardOwner> FOwner;         // set while open
  std::optional<TClipboardOwner> FContentOwner;  // set by Empty
  std::function<void()> FChangeHandler;
  uint64_t FChangeCount = 0;
  uint64_t FEmptyCount = 0;
  bool FChangedWhileOpen = false;
  bool FRefuseOpen = false;
  bool FSizesUnknown = false;
};

}  // namespace velmora::platform
