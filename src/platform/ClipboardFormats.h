// The names of the clipboard formats the program reads and writes, and the marker values they carry.
#pragma once

#include <cstddef>
#include <string_view>

namespace velmora::platform {

// Standard text. Both the 8-bit and the Unicode text of other desktops map onto this one UTF-8 target.
inline constexpr std::string_view kTextFormat = "text/plain;charset=utf-8";

// The program's own formats, used verbatim as target names.
inline constexpr std::string_view kClipFormat = "Velmora Clip";
inline constexpr std::string_view kCollectionFormat = "Velmora Collection";
// Its presence tells clipboard-history tools not to record the content.
inline constexpr std::string_view kIgnoreFormat = "Clipboard Viewer Ignore";

// The editor's formats: a signed 32-bit byte count and that many bytes, so that text may hold NUL bytes;
// and a marker saying that the text is a rectangular column block.
inline constexpr std::string_view kBinaryTextFormat = "Text with binary characters";
inline constexpr std::string_view kColumnSelectionFormat = "Plain Text Column Selection";

// Password managers mark their entries with this format; the value "secret" counts as the ignore marker.
inline constexpr std::string_view kPasswordHintFormat = "x-kde-passwordManagerHint";
inline constexpr std::string_view kPasswordHintSecret = "secret";

// The ignore marker and the column-selection marker are blocks of this many zero bytes.
inline constexpr size_t kMarkerSize = 8;
inline constexpr std::string_view kMarkerBlock{"\0\0\0\0\0\0\0\0", kMarkerSize};

}  // namespace velmora::platform
