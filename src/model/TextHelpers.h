// Text helpers for clip bodies: finding and converting line breaks, and changing the case of words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::model {

// A line break as found in a text, and the style ConvertLineBreaks writes. The rest of the program knows
// the kinds by these numbers, so they must not change.
enum class TLineBreakKind : uint8_t { None = 0, CrLf = 1, Lf = 2, Cr = 3 };

// Pos is a 1-based byte position (at least 1). Advances Pos to the next CR or LF at or after it and says
// which break is there: None when Pos has passed the end of Text, CrLf (Pos then on the LF), Lf or Cr.
void FindLineBreak(std::string_view text, size_t& pos, TLineBreakKind& kind);

// Like FindLineBreak, but only the first Length bytes of Text count. Size is 2 for a CR followed by LF
// (Pos then on the LF) and 1 otherwise, also when no break was found before Length.
void LineBreakLength(std::string_view text, size_t& pos, size_t length, size_t& size);

// Text with every break (CR LF, lone LF, lone CR) written in Style; any other style leaves Text as it is.
std::string ConvertLineBreaks(TLineBreakKind style, std::string_view text);

// Lower case, with the first character upper-cased.
std::string SentenceCase(std::string_view text);

// Lower case, with the first character of each word upper-cased. Words are separated by the
// characters below U+0020, space, ! " # $ % & ( ) * + , - . < ? [ { and the middle dot. An apostrophe does
// not end a word and is skipped at the start of one: "DON'T" gives "Don't" and "'tis" gives "'Tis".
std::string InitialCaps(std::string_view text);

// Each character lower-cased, or upper-cased when lowering leaves it as it is.
std::string InvertCase(std::string_view text);

}  // namespace velmora::model
