// UTF-16 and UTF-8 decoding of text files, with U+FFFD for what is malformed.
#include "editor/TextFileDecoder.h"

#include <cstring>

namespace velmora::editor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes the UTF-8 of a scalar value; returns the end.
char* PutUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

TByteOrderMark DetectByteOrderMark(std::string_view start) {
  auto startsWith = [start](std::string_view mark) { return start.substr(0, mark.size()) == mark; };
  if (startsWith("\xFE\xFF"))
    return {TTextFileEncoding::Utf16BigEndian, 2};
  if (startsWith("\xEF\xBB\xBF"))
    return {TTextFileEncoding::Utf8, 3};
  if (startsWith("\xFF\xFE"))
    return {TTextFileEncoding::Utf16LittleEndian, 2};
  return {};
}

void TTextFileDecoder::Decode(std::string_view block, std::string& out) {
  if (FEncoding == TTextFileEncoding::Bytes) {
    out.append(block);
    return;
  }
  const size_t used = out.size();
  out.resize(used + MaxOutputSize(block.size()));
  char* begin = out.data() + used;
  char* end = FEncoding == TTextFileEncoding::Utf8 ? DecodeUtf8(block, begin) : DecodeUtf16(block, begin);
  out.resize(used + static_cast<size_t>(end - begin));
}

void TTextFileDecoder::Finish(std::string& out) {
  char buffer[8];
  char* end = buffer;
  if (FHighSurrogate != 0 || FHasOddByte || FNeeded > 0)
    end = PutUtf8(end, kReplacement);
  // An odd byte after an unpaired high surrogate is a second broken part.
  if (FHighSurrogate != 0 && FHasOddByte)
    end = PutUtf8(end, kReplacement);
  out.append(buffer, static_cast<size_t>(end - buffer));
  FHighSurrogate = 0;
  FHasOddByte = false;
  FNeeded = 0;
}

char* TTextFileDecoder::DecodeUtf16(std::string_view block, char* out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
  const size_t size = block.size();
  const bool bigEndian = FEncoding == TTextFileEncoding::Utf16BigEndian;
  auto unitOf = [bigEndian](unsigned char first, unsigned char second) {
    return bigEndian ? static_cast<char32_t>(first << 8 | second)
                     : static_cast<char32_t>(second << 8 | first);
  };
  auto take = [&](char32_t unit) {
    if (FHighSurrogate != 0) {
      if (IsLowSurrogate(unit)) {
        out = PutUtf8(out, 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (unit - 0xDC00));
        FHighSurrogate = 0;
        return;
      }
      out = PutUtf8(out, kReplacement);
      FHighSurrogate = 0;
    }
    if (IsHighSurrogate(unit)) {
      FHighSurrogate = unit;
    } else {
      out = PutUtf8(out, IsLowSurrogate(unit) ? kReplacement : unit);
    }
  };

  size_t i = 0;
  if (FHasOddByte && size > 0) {
    take(unitOf(FOddByte, bytes[0]));
    FHasOddByte = false;
    i = 1;
  }
  for (; i + 1 < size; i += 2) {
    const char32_t unit = unitOf(bytes[i], bytes[i + 1]);
    if (unit < 0x80 && FHighSurrogate == 0) {
      *out++ = static_cast<char>(unit);
      continue;
    }
    take(unit);
  }
  if (i < size) {
    FOddByte = bytes[i];
    FHasOddByte = true;
  }
  return out;
}

char* TTextFileDecoder::DecodeUtf8(std::string_view block, char* out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
  const size_t size = block.size();
  for (size_t i = 0; i < size;) {
    const unsigned char byte = bytes[i];
    if (FNeeded == 0) {
      if (byte < 0x80) {
        // A run of ASCII, the common case, copied at once.
        size_t run = i + 1;
        while (run < size && bytes[run] < 0x80)
          ++run;
        std::memcpy(out, bytes + i, run - i);
        out += run - i;
        i = run;
        continue;
      }
      // The lead byte decides the length and, for a few leads, a narrower range of the second byte, which
      // rules out overlong forms, surrogates and values above U+10FFFF.
      FLower = 0x80;
      FUpper = 0xBF;
      if (byte >= 0xC2 && byte <= 0xDF) {
        FNeeded = 1, FCodePoint = byte & 0x1F;
      } else if (byte >= 0xE0 && byte <= 0xEF) {
        FNeeded = 2, FCodePoint = byte & 0x0F;
        if (byte == 0xE0)
          FLower = 0xA0;
        if (byte == 0xED)
          FUpper = 0x9F;
      } else if (byte >= 0xF0 && byte <= 0xF4) {
        FNeeded = 3, FCodePoint = byte & 0x07;
        if (byte == 0xF0)
          FLower = 0x90;
        if (byte == 0xF4)
          FUpper = 0x8F;
      } else {
        out = PutUtf8(out, kReplacement);
      }
      ++i;
      continue;
    }
    if (byte < FLower || byte > FUpper) {
      // The sequence so far is one broken part; this byte starts afresh.
      out = PutUtf8(out, kReplacement);
      FNeeded = 0;
      continue;
    }
    FCodePoint = (FCodePoint << 6) | (byte & 0x3F);
    FLower = 0x80;
    FUpper = 0xBF;
    if (--FNeeded == 0)
      out = PutUtf8(out, FCodePoint);
    ++i;
  }
  return out;
}

}  // namespace velmora::editor
