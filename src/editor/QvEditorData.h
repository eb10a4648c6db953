// The bytes an editor edits: positional insert, delete, read and search, each change reported to the owner.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/CharacterTables.h"
#include "editor/GapBuffer.h"

namespace velmora::editor {

class TQvEditor;

// A flat sequence of bytes (UTF-8 text, or any bytes for binary clips; line breaks are ordinary bytes) kept
// in a gap buffer, so that typing costs the distance the caret moved and not the size of the text.
//
// Positions are 0-based byte offsets, sizes stay below 2 GiB. The count-based calls (DeleteRange,
// GetRange, RangeView) are the primary ones; Delete and GetText take two inclusive positions in either
// order. A deliberate tolerance: positions and ranges outside the data are cut to it (an insert position to
// 0..Size), so a range that ends up empty does nothing.
//
// Every change passes one of two bottlenecks, so an owner cannot drift out of step:
// - an insert or delete changes the bytes, then (Size already updated) sends DataInserted or DataDeleted,
//   then sets Modified, then sends DataChanged; an owner's undo item can still read the old Modified flag;
// - a whole-content replacement (new text, load, clear) clears Modified and sends only DataReset.
//
// Searches and character tests are const: they may move the gap, which changes no content. A view returned
// by ContiguousView or RangeView lasts until the next change or view. Main thread only.
class TQvEditorData {
 public:
  // The largest size the data can reach: a text must stay below 2 GiB.
  static constexpr int32_t kMaxSize = INT32_MAX;

  // CharKind results.
  static constexpr int kSingleByteChar = 0;  // ASCII, or a byte that starts no valid sequence
  static constexpr int kLeadByte = 1;        // first byte of a valid multi-byte sequence
  static constexpr int kTrailByte = 2;       // continuation byte of a valid multi-byte sequence

  virtual ~TQvEditorData();
  // The owner link is a pointer pair, and the content may be large; neither may be copied by accident.
  TQvEditorData(const TQvEditorData&) = delete;
  TQvEditorData& operator=(const TQvEditorData&) = delete;

  // The editor that receives the notifications; set through TQvEditor::SetData.
  TQvEditor* Owner() const { return FOwner; }

  // Set by every insert and delete, cleared by a whole-content replacement; undo items restore it.
  bool Modified() const { return FModified; }
  void SetModified(bool modified) { FModified = modified; }

  // The data may not be changed (a file that could only be opened for reading). A flag for the editors:
  // the data itself does not refuse changes.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }

  int32_t Size() const { return static_cast<int32_t>(FBuffer.Length()); }

  // The file behind the data changed outside since it was loaded or since the last ResetFileAge; false for
  // data without a file.
  virtual bool FileChanged() const { return false; }
  // Remembers the file's current time stamp; nothing for data without a file.
  virtual void ResetFileAge() {}

  // Inserts Text before Position (Size appends). Raises EVelmoraError, changing nothing, when the size
  // would reach 2 GiB.
  void Insert(int32_t position, std::string_view text);
  // Removes Count bytes from Position on and returns them; a count of 0 changes and sends nothing.
  std::string DeleteRange(int32_t position, int32_t count);
  // Removes the inclusive range From..To (either order) and returns the removed bytes.
  std::string Delete(int32_t from, int32_t to);

  // The byte at Position; 0 outside the data.
  char GetChar(int32_t position) const {
    return position < 0 ? '\0' : FBuffer.ValueAt(static_cast<size_t>(position));
  }
  std::string GetRange(int32_t position, int32_t count) const;
  // A copy of the inclusive range From..To (either order).
  std::string GetText(int32_t from, int32_t to) const;
  // The whole content, or a range of it, as one piece without copying (the gap moves out of the way).
  std::string_view ContiguousView() const { return FBuffer.ContiguousView(); }
  std::string_view RangeView(int32_t position, int32_t count) const;

  // The searches scan from From towards To, backwards when To < From; both ends are included: a match lies
  // wholly inside the range. The result is the position of the first byte found, or -1; an empty pattern
  // is never found. Backwards, the match found first is the one that starts highest.
  int32_t FindChar(char ch, int32_t from, int32_t to) const;
  // Also returns the byte found in Found (left alone when nothing is found).
  int32_t FindCharInSet(const TByteSet& set, int32_t from, int32_t to, char& found) const;
  // Exact substring search.
  int32_t FindText(std::string_view pattern, int32_t from, int32_t to) const;
  // Case-insensitive per code point (simple case folding); an invalid byte matches only itself, and a match
  // never starts or ends inside a UTF-8 sequence.
  int32_t FindTextIgnoreCase(std::string_view pattern, int32_t from, int32_t to) const;

  // kSingleByteChar, kLeadByte or kTrailByte for the byte at Position; kSingleByteChar outside the data.
  int CharKind(int32_t position) const;
  // Character boundaries: 0, Size, and the start of every character (a valid sequence, or one invalid
  // byte). NextCharStart is the first boundary after Position (Size at the end), PreviousCharStart the last
  // boundary before it (0 at the start); a valid sequence is never split.
  int32_t NextCharStart(int32_t position) const;
  int32_t PreviousCharStart(int32_t position) const;

  // For testing: a lower limit than kMaxSize, so that the refusal can be seen without 2 GiB of memory.
  void SetMaxSizeForTesting(int32_t maxSize) { FMaxSize = maxSize; }

 protected:
  // GrowStep: the least growth of the gap (small for clip texts, larger for files).
  explicit TQvEditorData(size_t growStep);

  int32_t MaxSize() const { return FMaxSize; }
  // The whole-content bottleneck: Text becomes the content, Modified is cleared, the owner gets DataReset.
  // A text of 2 GiB or more is refused with EVelmoraError, changing nothing.
  void ReplaceContent(std::string text);

 private:
  friend class TQvEditor;

  struct TRange {
    size_t Position;
    size_t Count;
  };
  // Cuts (Position, Count) to the data.
  TRange Clamp(int64_t position, int64_t count) const;
  // The inclusive range From..To, either order, cut to the data.
  TRange InclusiveRange(int32_t from, int32_t to) const;
  // Copies the bytes from Position - 4 to Position + 4 (cut to the data) into Window; returns how many
  // were copied and sets Offset to Position's place in it.
  size_t CopyWindow(size_t position, char (&window)[8], size_t& offset) const;

  mutable TGapBuffer FBuffer;   // mutable: views and searches move the gap, never the content
  TQvEditor* FOwner = nullptr;  // not owned; its Data() is this object whenever it is set
  bool FModified = false;
  bool FReadOnly = false;
  int32_t FMaxSize = kMaxSize;
};

}  // namespace velmora::editor
