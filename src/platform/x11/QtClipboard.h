// The system clipboard of an X11 desktop behind platform::TClipboard: written through Qt, read from other
// clients by a selection reader with a deadline, with change notification from the X server.
#pragma once

#include <QMetaObject>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/x11/SelectionReader.h"

class QClipboard;

namespace velmora::platform {

// Formats are X11 targets of the same name. The text format is offered as Qt's text targets
// (UTF8_STRING, STRING, text/plain) and as "text/plain;charset=utf-8"; reading it takes, in this order,
// "text/plain;charset=utf-8", UTF8_STRING, "text/plain", as bytes, or STRING converted from Latin-1.
//
// The puts of one opening are collected and set as one QMimeData when it closes, so other clients see the
// whole content at once. Opening probes another owner by asking for its targets: an owner that does not
// answer within the read timeout makes Open fail, as a clipboard held by another program does elsewhere.
// Needs a QGuiApplication on the xcb platform.
class TQtClipboard final : public TClipboard {
 public:
  explicit TQtClipboard(std::chrono::milliseconds readTimeout = std::chrono::milliseconds(2000));
  ~TQtClipboard() override;

  bool Open(TClipboardOwner owner) override;
  void Close() override;
  void Empty() override;
  void Put(std::string_view format, std::string_view bytes) override;

  bool Has(std::string_view format) const override;
  std::optional<std::string> Get(std::string_view format) override;
  std::vector<std::string> Formats() const override;
  // Always none: X11 tells a block's size only by transferring it.
  std::optional<uint64_t> SizeOf(std::string_view format) const override;

  void SetChangeHandler(std::function<void()> handler) override { FChangeHandler = std::move(handler); }

  // True while the change handler runs for a change this object made itself. Qt announces a write of its
  // own from inside setMimeData, so this needs no guess about timing.
  bool IsOwnChange() const { return FOwnChange; }
  // True while this process holds the clipboard content.
  bool OwnsContent() const;

 private:
  void OnChanged();
  // The other owner's targets: the snapshot of the current opening, else asked now; empty when it does
  // not answer.
  std::vector<std::string> ForeignTargets() const;

  QClipboard* FClipboard;
  mutable TSelectionReader FReader;
  QMetaObject::Connection FConnection;
  std::optional<TClipboardOwner> FOwner;                     // set while open
  std::optional<std::vector<std::string>> FTargets;          // another owner's targets, while open
  std::map<std::string, std::string, std::less<>> FPending;  // the content being built
  bool FChanged = false;                                     // this opening emptied or put
  bool FSetting = false;                                     // inside setMimeData
  bool FOwnChange = false;
  std::function<void()> FChangeHandler;
};

}  // namespace velmora::platform
