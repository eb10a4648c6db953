// The rectangle and colour values that carets and their ports exchange.
#pragma once

#include <cstdint>

namespace velmora::editor {

// A rectangle in an owner's client coordinates. Right and Bottom are exclusive: the rectangle covers the
// pixels Left..Right-1 and Top..Bottom-1, so Width() = Right - Left.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  // True when the rectangle covers no pixel, including a reversed one.
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool operator==(const TRect&) const = default;
};

// The pixels two rectangles have in common; an empty rectangle when they do not overlap.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
  const TRect common{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
                     a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  return common.IsEmpty() ? TRect{} : common;
}

// A colour as the platform stores it: 0x00BBGGRR, so red is 255 and blue 0xFF0000. Values with the high byte
// set are passed through unchanged; the canvas that receives them decides what they mean.
struct TColor {
  std::uint32_t Value = 0;

  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(Value & 0xFF); }
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>((Value >> 8) & 0xFF); }
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>((Value >> 16) & 0xFF); }
  constexpr bool operator==(const TColor&) const = default;
};

constexpr TColor kColorBlack{0x000000};
constexpr TColor kColorRed{0x0000FF};

}  // namespace velmora::editor
