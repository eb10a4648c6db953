// The one clipboard object of the program: puts clips and clip trees on the clipboard in several formats
// at once, reads them back, and marks its own writes so that clipboard-history tools skip them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/ClipFolder.h"
#include "platform/Clipboard.h"

namespace velmora::exchange {

inline constexpr char kCannotOpenClipboardMessage[] = "Cannot open clipboard";
// The length limit of a read that takes a clip of any size.
inline constexpr size_t kNoClipLengthLimit = std::numeric_limits<int32_t>::max();

// What a clip shows other applications as text: its text, or for a before-and-after clip the before text
// followed directly by the after text.
std::string ClipboardText(const model::TClip& clip);

// Opening nests through a count: only the outermost Open opens the platform clipboard and only the
// outermost Close closes it. The first put of an opening empties the clipboard before storing, later puts
// of the same opening add to it; a put made while closed opens and closes around itself and so replaces
// the whole content. Every operation that opens closes again also when it fails.
class TClipboardExt {
 public:
  // Holds the clipboard open for its lifetime.
  class TOpening {
   public:
    explicit TOpening(TClipboardExt& clipboard) : FClipboard(clipboard) { FClipboard.Open(); }
    ~TOpening() { FClipboard.Close(); }
    TOpening(const TOpening&) = delete;
    TOpening& operator=(const TOpening&) = delete;

   private:
    TClipboardExt& FClipboard;
  };

  // Clipboard is not owned and must outlive this object; Owner is the id this program opens it with.
  TClipboardExt(platform::TClipboard& clipboard, platform::TClipboardOwner owner);
  TClipboardExt(const TClipboardExt&) = delete;  // the open count belongs to the one clipboard object
  TClipboardExt& operator=(const TClipboardExt&) = delete;

  // Raises "Cannot open clipboard" when the outermost Open is refused.
  void Open();
  void Close();
  bool IsOpen() const { return FOpenCount > 0; }
  // Empties the clipboard now.
  void Clear();
  // Stores one block by the opening rule above.
  void Put(std::string_view format, std::string_view bytes);
  // Puts standard text. Like the system's text setter it ends the text at its first NUL byte; the whole
  // bytes go under "Text with binary characters".
  void SetText(std::string_view text);

  // Replaces the content with Clip: standard text, binary text and the column marker where they apply, the
  // clip record, and the ignore marker.
  void CopyClip(const model::TClip& clip);
  // Replaces the content with the tree of Root and, when Clip is given, the formats of CopyClip; the
  // ignore marker is added in both cases.
  void CopyCollection(const model::TClipFile& root, const model::TClip* clip);

  // A new unlinked clip from the clipboard, or null: when there is no text, when the texts are longer than
  // MaxLength (checked before the text is copied), or when IgnoreText is not empty and equals what the
  // clip holds. A clip record is preferred; otherwise the text is taken, as binary data when it holds a
  // NUL byte and as a rectangular block when the column marker is present. A damaged record raises.
  std::unique_ptr<model::TClip> ReadClip(std::string_view ignoreText = {},
                                         size_t maxLength = kNoClipLengthLimit);
  // The same, linked into Target after Prev (first when Prev is null); Target owns the clip.
  model::TClip* ReadClip(model::TClipItem* prev, model::TClipFolder& target, std::string_view ignoreText,
                         size_t maxLength);
  // The tree under "Velmora Collection", or null when there is none.
  std::unique_ptr<model::TClipFile> ReadCollection();

  bool HasClip() const;
  // True for "Clipboard Viewer Ignore", and for a password manager's hint that the content is secret.
  bool HasIgnoreMarker();
  // Puts the ignore marker; call it while open, after the other data of that opening.
  void AddIgnoreMarker();

  platform::TClipboard& Clipboard() { return FClipboard; }

 private:
  platform::TClipboard& FClipboard;  // not owned
  const platform::TClipboardOwner FOwner;
  size_t FOpenCount = 0;
  bool FEmptied = false;  // this opening has emptied the clipboard
};

}  // namespace velmora::exchange
