// Line break scanning and conversion, and the case changes offered on clip text.
#include "model/TextHelpers.h"

#include <cassert>

#include "model/CaseMapping.h"
#include "model/Utf8.h"

namespace velmora::model {

namespace {

bool IsBreakByte(char c) {
  return c == '\r' || c == '\n';
}

// Calls Visit(character, bytes) for each character of Text; Bytes is the character's own bytes, which is
// what an invalid byte is written back as.
template <class Visit>
void ForEachChar(std::string_view text, Visit visit) {
  for (size_t pos = 0; pos < text.size();) {
    const TUtf8Char c = DecodeUtf8At(text, pos);
    visit(c, text.substr(pos, c.Length));
    pos += c.Length;
  }
}

// Where a new word starts. An apostrophe is not in the set: it neither starts nor ends a word, so that
// "'tis" and "don't" both come out right.
bool IsWordSeparator(char32_t c) {
  return c <= 0x26 || (c >= 0x28 && c <= 0x2E) || c == 0x3C || c == 0x3F || c == 0x5B || c == 0x7B ||
         c == 0xB7;
}

std::string_view BreakText(TLineBreakKind style) {
  switch (style) {
    case TLineBreakKind::CrLf:
      return "\r\n";
    case TLineBreakKind::Lf:
      return "\n";
    case TLineBreakKind::Cr:
      return "\r";
    case TLineBreakKind::None:
      break;
  }
  return {};
}

}  // namespace

void FindLineBreak(std::string_view text, size_t& pos, TLineBreakKind& kind) {
  assert(pos >= 1);
  // Byte Pos is text[pos - 1].
  while (pos <= text.size() && !IsBreakByte(text[pos - 1]))
    ++pos;
  if (pos > text.size()) {
    kind = TLineBreakKind::None;
  } else if (text[pos - 1] == '\n') {
    kind = TLineBreakKind::Lf;
  } else if (pos < text.size() && text[pos] == '\n') {
    kind = TLineBreakKind::CrLf;
    ++pos;
  } else {
    kind = TLineBreakKind::Cr;
  }
}

void LineBreakLength(std::string_view text, size_t& pos, size_t length, size_t& size) {
  assert(pos >= 1);
  const size_t limit = length < text.size() ? length : text.size();
  while (pos <= limit && !IsBreakByte(text[pos - 1]))
    ++pos;
  // A CR at the limit counts as one byte: its LF lies outside what the caller asked about.
  if (pos < limit && text[pos - 1] == '\r' && text[pos] == '\n') {
    size = 2;
    ++pos;
  } else {
    size = 1;
  }
}

std::string ConvertLineBreaks(TLineBreakKind style, std::string_view text) {
  const std::string_view lineBreak = BreakText(style);
  if (lineBreak.empty())
    return std::string(text);

  // One pass that copies the runs between breaks whole: texts can be very large.
  std::string out;
  out.reserve(style == TLineBreakKind::CrLf ? text.size() + text.size() / 8 : text.size());
  size_t runStart = 0;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (!IsBreakByte(text[pos]))
      continue;
    out.append(text, runStart, pos - runStart);
    out.append(lineBreak);
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
      ++pos;
    runStart = pos + 1;
  }
  out.append(text, runStart);
  return out;
}

std::string SentenceCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool first = true;
  ForEachChar(text, [&](const TUtf8Char& c, std::string_view bytes) {
    if (!c.Valid) {
      out.append(bytes);
    } else if (first) {
      AppendUtf8(out, UpperCodePoint(LowerCodePoint(c.CodePoint)));
    } else {
      AppendUtf8(out, LowerCodePoint(c.CodePoint));
    }
    first = false;
  });
  return out;
}

std::string InitialCaps(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool wordStart = true;
  // Lowering each character as it comes is the same as lowering the whole text first: case mapping is
  // per code point and never turns a character into, or out of, an invalid byte.
  ForEachChar(text, [&](const TUtf8Char& c, std::string_view bytes) {
    if (!c.Valid) {
      out.append(bytes);
      wordStart = false;
      return;
    }
    const char32_t lower = LowerCodePoint(c.CodePoint);
    if (IsWordSeparator(lower)) {
      AppendUtf8(out, lower);
      wordStart = true;
    } else if (wordStart && lower != U'\'') {
      AppendUtf8(out, UpperCodePoint(lower));
      wordStart = false;
    } else {
      AppendUtf8(out, lower);
    }
  });
  return out;
}

std::string InvertCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachChar(text, [&](const TUtf8Char& c, std::string_view bytes) {
    if (!c.Valid) {
      out.append(bytes);
      return;
    }
    const char32_t lower = LowerCodePoint(c.CodePoint);
    AppendUtf8(out, lower != c.CodePoint ? lower : UpperCodePoint(c.CodePoint));
  });
  return out;
}

}  // namespace velmora::model
