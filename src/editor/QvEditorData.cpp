// The data object's operations over its gap buffer, and the link between a data object and its editor.
#include "editor/QvEditorData.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "editor/QvEditor.h"
#include "editor/TextSearch.h"
#include "model/Errors.h"
#include "model/Utf8.h"

namespace velmora::editor {

// --- The link between an editor and its data ---

TQvEditor::~TQvEditor() {
  if (FData)
    FData->FOwner = nullptr;
}

void TQvEditor::SetData(TQvEditorData* data) {
  if (data && data->FOwner && data->FOwner != this)
    data->FOwner->FData = nullptr;
  if (FData && FData != data)
    FData->FOwner = nullptr;
  FData = data;
  if (data)
    data->FOwner = this;
  DataReset();
}

TQvEditorData::~TQvEditorData() {
  if (FOwner)
    FOwner->FData = nullptr;
}

// --- The data ---

namespace {

constexpr size_t kNotFound = std::string_view::npos;
constexpr char kTooLarge[] = "Cannot insert the text: an editor holds less than 2 GiB of text.";

}  // namespace

TQvEditorData::TQvEditorData(size_t growStep) : FBuffer(growStep) {}

TQvEditorData::TRange TQvEditorData::Clamp(int64_t position, int64_t count) const {
  const int64_t size = Size();
  const int64_t begin = std::clamp<int64_t>(position, 0, size);
  const int64_t end = std::clamp<int64_t>(position + std::max<int64_t>(count, 0), begin, size);
  return {static_cast<size_t>(begin), static_cast<size_t>(end - begin)};
}

TQvEditorData::TRange TQvEditorData::InclusiveRange(int32_t from, int32_t to) const {
  const int64_t low = std::min(from, to);
  const int64_t high = std::max(from, to);
  return Clamp(low, high - low + 1);
}

void TQvEditorData::Insert(int32_t position, std::string_view text) {
  if (text.empty())
    return;
  if (static_cast<int64_t>(text.size()) > static_cast<int64_t>(FMaxSize) - Size())
    throw EVelmoraError(kTooLarge);
  // The owner is told about Text after the buffer changed; a view of the buffer itself would be stale.
  std::string copy;
  if (FBuffer.Holds(text.data())) {
    copy.assign(text);
    text = copy;
  }
  const size_t at = static_cast<size_t>(std::clamp(position, 0, Size()));
  FBuffer.Insert(at, text);
  if (FOwner)
    FOwner->DataInserted(static_cast<int32_t>(at), text);
  FModified = true;
  if (FOwner)
    FOwner->DataChanged();
}

std::string TQvEditorData::DeleteRange(int32_t position, int32_t count) {
  const TRange range = Clamp(position, count);
  if (range.Count == 0)
    return {};
  std::string deleted = FBuffer.Range(range.Position, range.Count);
  FBuffer.Delete(range.Position, range.Count);
  if (FOwner)
    FOwner->DataDeleted(static_cast<int32_t>(range.Position), static_cast<int32_t>(range.Count), deleted);
  FModified = true;
  if (FOwner)
    FOwner->DataChanged();
  return deleted;
}

std::string TQvEditorData::Delete(int32_t from, int32_t to) {
  const TRange range = InclusiveRange(from, to);
  return DeleteRange(static_cast<int32_t>(range.Position), static_cast<int32_t>(range.Count));
}

void TQvEditorData::ReplaceContent(std::string text) {
  if (text.size() > static_cast<size_t>(FMaxSize))
    throw EVelmoraError(kTooLarge);
  FBuffer.Assign(std::move(text));
  FModified = false;
  if (FOwner)
    FOwner->DataReset();
}

std::string TQvEditorData::GetRange(int32_t position, int32_t count) const {
  const TRange range = Clamp(position, count);
  return FBuffer.Range(range.Position, range.Count);
}

std::string TQvEditorData::GetText(int32_t from, int32_t to) const {
  const TRange range = InclusiveRange(from, to);
  return FBuffer.Range(range.Position, range.Count);
}

std::string_view TQvEditorData::RangeView(int32_t position, int32_t count) const {
  const TRange range = Clamp(position, count);
  return FBuffer.RangeView(range.Position, range.Count);
}

int32_t TQvEditorData::FindChar(char ch, int32_t from, int32_t to) const {
  const TRange range = InclusiveRange(from, to);
  const auto [first, second] = FBuffer.Segments(range.Position, range.Count);
  const void* found = nullptr;
  if (from <= to) {
    if (!(found = std::memchr(first.data(), ch, first.size())))
      found = std::memchr(second.data(), ch, second.size());
  } else {
    if (!(found = ::memrchr(second.data(), ch, second.size())))
      found = ::memrchr(first.data(), ch, first.size());
  }
  if (!found)
    return -1;
  const char* at = static_cast<const char*>(found);
  const bool inFirst = at >= first.data() && at < first.data() + first.size();
  const size_t offset = inFirst ? static_cast<size_t>(at - first.data())
                                : first.size() + static_cast<size_t>(at - second.data());
  return static_cast<int32_t>(range.Position + offset);
}

int32_t TQvEditorData::FindCharInSet(const TByteSet& set, int32_t from, int32_t to, char& found) const {
  const TRange range = InclusiveRange(from, to);
  const auto [first, second] = FBuffer.Segments(range.Position, range.Count);
  auto in = [&set](char c) { return set[static_cast<unsigned char>(c)]; };
  auto report = [&](std::string_view piece, size_t index, size_t pieceStart) {
    found = piece[index];
    return static_cast<int32_t>(range.Position + pieceStart + index);
  };
  if (from <= to) {
    for (size_t i = 0; i < first.size(); ++i) {
      if (in(first[i]))
        return report(first, i, 0);
    }
    for (size_t i = 0; i < second.size(); ++i) {
      if (in(second[i]))
        return report(second, i, first.size());
    }
  } else {
    for (size_t i = second.size(); i-- > 0;) {
      if (in(second[i]))
        return report(second, i, first.size());
    }
    for (size_t i = first.size(); i-- > 0;) {
      if (in(first[i]))
        return report(first, i, 0);
    }
  }
  return -1;
}

int32_t TQvEditorData::FindText(std::string_view pattern, int32_t from, int32_t to) const {
  const TRange range = InclusiveRange(from, to);
  const std::string_view text = FBuffer.RangeView(range.Position, range.Count);
  const size_t found = from <= to ? FindFirstOccurrence(text, pattern) : FindLastOccurrence(text, pattern);
  return found == kNotFound ? -1 : static_cast<int32_t>(range.Position + found);
}

int32_t TQvEditorData::FindTextIgnoreCase(std::string_view pattern, int32_t from, int32_t to) const {
  const TFoldedPattern folded(pattern);
  const TRange range = InclusiveRange(from, to);
  if (folded.Empty() || range.Count == 0)
    return -1;
  // Three bytes either side show whether the range's ends fall inside a sequence.
  const size_t contextStart = range.Position >= 3 ? range.Position - 3 : 0;
  const size_t contextEnd = std::min(FBuffer.Length(), range.Position + range.Count + 3);
  const std::string_view context = FBuffer.RangeView(contextStart, contextEnd - contextStart);
  const size_t found = folded.FindIn(context, range.Position - contextStart,
                                     range.Position + range.Count - contextStart, to < from);
  return found == kNotFound ? -1 : static_cast<int32_t>(contextStart + found);
}

size_t TQvEditorData::CopyWindow(size_t position, char (&window)[8], size_t& offset) const {
  const size_t begin = position >= 4 ? position - 4 : 0;
  const size_t end = std::min(FBuffer.Length(), position + 4);
  FBuffer.CopyTo(window, begin, end - begin);
  offset = position - begin;
  return end - begin;
}

int TQvEditorData::CharKind(int32_t position) const {
  if (position < 0 || position >= Size())
    return kSingleByteChar;
  char window[8];
  size_t offset = 0;
  const std::string_view text(window, CopyWindow(static_cast<size_t>(position), window, offset));
  if (model::Utf8CharStart(text, offset) != offset)
    return kTrailByte;
  const model::TUtf8Char c = model::DecodeUtf8At(text, offset);
  return c.Valid && c.Length > 1 ? kLeadByte : kSingleByteChar;
}

int32_t TQvEditorData::NextCharStart(int32_t position) const {
  if (position < 0)
    return 0;
  if (position >= Size())
    return Size();
  char window[8];
  size_t offset = 0;
  const std::string_view text(window, CopyWindow(static_cast<size_t>(position), window, offset));
  const size_t start = model::Utf8CharStart(text, offset);
  return position - static_cast<int32_t>(offset - start) + model::DecodeUtf8At(text, start).Length;
}

int32_t TQvEditorData::PreviousCharStart(int32_t position) const {
  if (position <= 0)
    return 0;
  if (position > Size())
    return Size();
  char window[8];
  size_t offset = 0;
  const std::string_view text(window, CopyWindow(static_cast<size_t>(position), window, offset));
  // Inside a sequence, its start is the boundary before; on a boundary, the start of the character before.
  const size_t start = offset < text.size() ? model::Utf8CharStart(text, offset) : offset;
  const size_t previous = start < offset ? start : model::Utf8CharStart(text, offset - 1);
  return position - static_cast<int32_t>(offset - previous);
}

}  // namespace velmora::editor
