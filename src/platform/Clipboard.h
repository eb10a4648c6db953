// The system clipboard as the core sees it: named formats holding blocks of bytes, taken by one owner at a
// time for writing, with a notification when the content changes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// Who holds the clipboard open; a backend compares owners only for equality.
using TClipboardOwner = uintptr_t;

// Blocks are kept and returned byte for byte; a format name is any non-empty string. Reading (Has, Get,
// Formats, SizeOf) does not need the clipboard to be open; writing (Empty, Put) does.
class TClipboard {
 public:
  TClipboard() = default;
  virtual ~TClipboard() = default;
  TClipboard(const TClipboard&) = delete;  // one object stands for the one system clipboard
  TClipboard& operator=(const TClipboard&) = delete;

  // Takes the clipboard for writing; false when it is already open (by this or another owner).
  virtual bool Open(TClipboardOwner owner) = 0;
  // Gives it back; a content change made while open is announced now, once.
  virtual void Close() = 0;
  // Removes every format and makes the opener the owner of the content.
  virtual void Empty() = 0;
  // Stores Bytes under Format, replacing a block of that name.
  virtual void Put(std::string_view format, std::string_view bytes) = 0;

  virtual bool Has(std::string_view format) const = 0;
  // The block under Format; none when it is absent or its owner did not deliver it in time.
  virtual std::optional<std::string> Get(std::string_view format) = 0;
  virtual std::vector<std::string> Formats() const = 0;
  // The size of the block under Format when the backend knows it without transferring the block; none
  // otherwise. Lets a reader skip a block that is too large.
  virtual std::optional<uint64_t> SizeOf(std::string_view format) const = 0;

  // Called after every change of the content, by any application; an empty handler removes it.
  virtual void SetChangeHandler(std::function<void()> handler) = 0;
};

}  // namespace velmora::platform
