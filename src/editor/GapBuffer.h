// A byte sequence with a movable gap, so that a run of inserts and deletes near one place costs only the
// distance the gap moves.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace velmora::editor {

// The content is FBody[0, FPart1Length) followed by FBody[FPart1Length + FGapLength, FBody.size()); the bytes
// of the gap in between are unused. Inserting at the gap fills it from the front, deleting next to it widens
// it, and the gap moves only when a change happens elsewhere. Positions are 0-based byte offsets. Callers
// check their positions; the preconditions are asserted, and a change outside 0..Length is refused.
class TGapBuffer {
 public:
  // GrowStep is the least room the gap gets when it must grow; it also grows by a quarter of the length, so
  // that appending byte by byte stays amortised O(1).
  explicit TGapBuffer(size_t growStep = 64) : FGrowStep(std::max<size_t>(growStep, 1)) {}

  // Copying a buffer of many megabytes by accident would go unnoticed; Range and Assign say so.
  TGapBuffer(const TGapBuffer&) = delete;
  TGapBuffer& operator=(const TGapBuffer&) = delete;

  size_t Length() const { return FLength; }
  bool Empty() const { return FLength == 0; }

  // A deliberate tolerance: outside the content the value is 0, so callers may read one past the end.
  char ValueAt(size_t position) const {
    if (position < FPart1Length)
      return FBody[position];
    if (position < FLength)
      return FBody[position + FGapLength];
    return 0;
  }

  void Insert(size_t position, std::string_view text) {
    assert(position <= FLength);
    if (position > FLength || text.empty())
      return;
    // Text may be a view of this buffer (duplicating a line): growing or moving the gap would change it.
    std::string copy;
    if (Holds(text.data())) {
      copy.assign(text);
      text = copy;
    }
    RoomFor(text.size());
    GapTo(position);
    std::memcpy(FBody.data() + FPart1Length, text.data(), text.size());
    FPart1Length += text.size();
    FGapLength -= text.size();
    FLength += text.size();
  }

  void Delete(size_t position, size_t count) {
    assert(position <= FLength && count <= FLength - position);
    if (position > FLength || count > FLength - position || count == 0)
      return;
    if (count == FLength) {
      Clear();
      return;
    }
    // Widen the gap from whichever side it is nearer to: a backspace at the gap moves nothing.
    const size_t end = position + count;
    if (Distance(end, FPart1Length) < Distance(position, FPart1Length)) {
      GapTo(end);
      FPart1Length = position;
    } else {
      GapTo(position);
    }
    FGapLength += count;
    FLength -= count;
  }

  // Copies Count bytes from Position on into Out, without moving the gap.
  void CopyTo(char* out, size_t position, size_t count) const {
    assert(position <= FLength && count <= FLength - position);
    const auto [first, second] = Segments(position, count);
    std::memcpy(out, first.data(), first.size());
    std::memcpy(out + first.size(), second.data(), second.size());
  }

  std::string Range(size_t position, size_t count) const {
    std::string out(count, '\0');
    CopyTo(out.data(), position, count);
    return out;
  }

  // The range as at most two pieces, the one before the gap first; either may be empty, but neither has a
  // null data pointer, so both can go straight to memcpy and memchr. The gap stays.
  std::pair<std::string_view, std::string_view> Segments(size_t position, size_t count) const {
    assert(position <= FLength && count <= FLength - position);
    const char* body = FBody.data();
    const size_t end = position + count;
    if (end <= FPart1Length)
      return {std::string_view(body + position, count), std::string_view(body, 0)};
    if (position >= FPart1Length)
      return {std::string_view(body + position + FGapLength, count), std::string_view(body, 0)};
    return {std::string_view(body + position, FPart1Length - position),
            std::string_view(body + FPart1Length + FGapLength, end - FPart1Length)};
  }

  // The range as one piece: the gap moves out of it, to whichever end is nearer. The view lasts until the
  // next change or view.
  std::string_view RangeView(size_t position, size_t count) {
    assert(position <= FLength && count <= FLength - position);
    const size_t end = position + count;
    if (position < FPart1Length && end > FPart1Length)
      GapTo(FPart1Length - position < end - FPart1Length ? position : end);
    return Segments(position, count).first;
  }

  // The whole content as one piece, with the gap moved to the end.
  std::string_view ContiguousView() {
    GapTo(FLength);
    return std::string_view(FBody.data(), FLength);
  }

  // Takes Text over as the whole content without copying it; the gap starts empty at the end.
  void Assign(std::string text) {
    FBody = std::move(text);
    FLength = FBody.size();
    FPart1Length = FLength;
    FGapLength = 0;
  }

  void Clear() {
    FBody = std::string();
    FLength = FPart1Length = FGapLength = 0;
  }

  // Whether Pointer points into this buffer's storage, as a view of it does.
  bool Holds(const char* pointer) const {
    const std::less<const char*> before;
    return !FBody.empty() && !before(pointer, FBody.data()) && before(pointer, FBody.data() + FBody.size());
  }

  // For testing: where the gap is and how wide.
  size_t GapPosition() const { return FPart1Length; }
  size_t GapLength() const { return FGapLength; }

 private:
  static size_t Distance(size_t a, size_t b) { return a < b ? b - a : a - b; }

  // Moves the gap so that it starts at Position, shifting the bytes between the old and the new place.
  void GapTo(size_t position) {
    if (position == FPart1Length)
      return;
    char* body = FBody.data();
    if (position < FPart1Length) {
      std::memmove(body + position + FGapLength, body + position, FPart1Length - position);
    } else {
      std::memmove(body + FPart1Length, body + FPart1Length + FGapLength, position - FPart1Length);
    }
    FPart1Length = position;
  }

  // Makes the gap at least Count bytes wide; the bytes after the gap move to the new end.
  void RoomFor(size_t count) {
    if (count <= FGapLength)
      return;
    const size_t needed = FLength + count;
    const size_t newSize = needed + std::max(FGrowStep, needed / 4);
    const size_t part2Length = FLength - FPart1Length;
    const size_t oldPart2Start = FPart1Length + FGapLength;
    FBody.resize(newSize);
    std::memmove(FBody.data() + newSize - part2Length, FBody.data() + oldPart2Start, part2Length);
    FGapLength = newSize - FLength;
  }

  std::string FBody;        // the allocation: part 1, the gap, part 2; FBody.size() == FLength + FGapLength
  size_t FLength = 0;       // content bytes, both parts
  size_t FPart1Length = 0;  // content bytes before the gap, which starts here; <= FLength
  size_t FGapLength = 0;    // unused bytes between the parts
  size_t FGrowStep;         // least growth of the gap; never 0
};

}  // namespace velmora::editor
