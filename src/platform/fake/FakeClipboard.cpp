// The in-memory clipboard used by tests.
#include "platform/fake/FakeClipboard.h"

#include <stdexcept>

namespace velmora::platform {

bool TFakeClipboard::Open(TClipboardOwner owner) {
  if (FRefuseOpen || FOwner)
    return false;
  FOwner = owner;
  FChangedWhileOpen = false;
  return true;
}

void TFakeClipboard::Close() {
  RequireOpen("Close");
  FOwner.reset();
  if (FChangedWhileOpen) {
    FChangedWhileOpen = false;
    ++FChangeCount;
    if (FChangeHandler)
      FChangeHandler();
  }
}

void TFakeClipboard::Empty() {
  RequireOpen("Empty");
  FFormats.clear();
  FPutOrder.clear();
  FContentOwner = FOwner;
  ++FEmptyCount;
  FChangedWhileOpen = true;
}

void TFakeClipboard::Put(std::string_view format, std::string_view bytes) {
  RequireOpen("Put");
  if (format.empty())
    throw std::logic_error("TFakeClipboard::Put: empty format name");
  auto [it, inserted] = FFormats.insert_or_assign(std::string(format), std::string(bytes));
  if (inserted)
    FPutOrder.push_back(it->first);
  FChangedWhileOpen = true;
}

bool TFakeClipboard::Has(std::string_view format) const {
  return FFormats.find(format) != FFormats.end();
}

std::optional<std::string> TFakeClipboard::Get(std::string_view format) {
  const auto it = FFormats.find(format);
  if (it == FFormats.end())
    return std::nullopt;
  auto transfers = FTransfers.find(format);
  if (transfers == FTransfers.end())
    transfers = FTransfers.emplace(std::string(format), 0).first;
  ++transfers->second;
  return it->second;
}

std::vector<std::string> TFakeClipboard::Formats() const {
  return FPutOrder;
}

std::optional<uint64_t> TFakeClipboard::SizeOf(std::string_view format) const {
  const auto it = FFormats.find(format);
  if (FSizesUnknown || it == FFormats.end())
    return std::nullopt;
  return it->second.size();
}

const std::string* TFakeClipboard::Peek(std::string_view format) const {
  const auto it = FFormats.find(format);
  return it == FFormats.end() ? nullptr : &it->second;
}

size_t TFakeClipboard::TransferCount(std::string_view format) const {
  const auto it = FTransfers.find(format);
  return it == FTransfers.end() ? 0 : it->second;
}

bool TFakeClipboard::ActAsOtherApplication(const std::function<void(TClipboard&)>& writes) {
  if (!Open(kOtherApplication))
    return false;
  try {
    Empty();
    writes(*this);
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return true;
}

bool TFakeClipboard::PutFromOtherApplication(
    const std::vector<std::pair<std::string, std::string>>& formats) {
  return ActAsOtherApplication([&formats](TClipboard& clipboard) {
    for (const auto& [format, bytes] : formats)
      clipboard.Put(format, bytes);
  });
}

void TFakeClipboard::RequireOpen(const char* operation) const {
  // A write without opening is a bug of the caller, not a condition the program handles.
  if (!FOwner)
    throw std::logic_error(std::string("TFakeClipboard::") + operation + " while the clipboard is not open");
}

}  // namespace velmora::platform
