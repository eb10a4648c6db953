// A reader of the CLIPBOARD selection held by another X11 client, over an X connection of its own so that
// every wait has a deadline and every block arrives byte for byte.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct xcb_connection_t;

namespace velmora::platform {

// Qt's own selection reader waits without bound for an owner that never answers and turns text targets
// into QString, which replaces bytes that are not UTF-8. This one asks the owner directly: a request the
// owner does not answer within the timeout gives none, and the bytes are returned as the owner sent them,
// also when they arrive in INCR chunks.
class TSelectionReader {
 public:
  // Connects to the display named by DISPLAY; Timeout bounds each wait for the owner.
  explicit TSelectionReader(std::chrono::milliseconds timeout);
  ~TSelectionReader();
  TSelectionReader(const TSelectionReader&) = delete;
  TSelectionReader& operator=(const TSelectionReader&) = delete;

  bool Connected() const { return FConnection != nullptr; }
  // True when some client owns the selection.
  bool HasOwner();
  // The owner's target names; empty when there is no owner, none when the owner did not answer in time.
  std::optional<std::vector<std::string>> Targets();
  // The block under Target; none when the owner refused it or did not deliver it in time.
  std::optional<std::string> Read(std::string_view target);

 private:
  uint32_t Atom(std::string_view name);
  std::string AtomName(uint32_t atom);
  // Waits until Deadline for the next event of ResponseType (for property notifications: a new value of
  // our property), which it discards; false on timeout or a broken connection. A selection notification
  // is copied to Notify, 32 bytes.
  bool WaitFor(uint8_t responseType, std::chrono::steady_clock::time_point deadline, void* notify = nullptr);
  // Asks the owner to convert the selection to Target into our property; false when it refused or did
  // not answer in time.
  bool Convert(uint32_t target);
  // Takes and deletes our property; Type receives its type.
  std::string TakeProperty(uint32_t& type);

  xcb_connection_t* FConnection = nullptr;
  uint32_t FWindow = 0;
  uint32_t FSelection = 0;
  uint32_t FProperty = 0;
  std::chrono::milliseconds FTimeout;
  std::map<std::string, uint32_t, std::less<>> FAtoms;
  std::map<uint32_t, std::string> FAtomNames;
};

}  // namespace velmora::platform
