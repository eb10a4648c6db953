// Fakes for testing carets: a canvas with a pixel grid and a call log, a timer that moves only when told,
// a system caret and a view that record what they are asked.
#pragma once

#include "editor/QvCaretPainted.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/CaretHost.h"
#include "editor/CaretPorts.h"

namespace velmora::editor {

// Character cells of one text line: 6 pixels wide, 10 high, the first one at (4,2); and the bar caret
// of a given width on one of them.
inline TRect Cell(int column) {
  return TRect{4 + 6 * column, 2, 10 + 6 * column, 12};
}
inline TRect Bar(int column, int width = 2) {
  return BarCaretRect(Cell(column), width);
}

inline std::string Describe(const TRect& rect) {
  return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," + std::to_string(rect.Right) + "," +
         std::to_string(rect.Bottom);
}

inline std::string Describe(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color.Value));
  return text;
}

inline void PrintTo(const TRect& rect, std::ostream* out) {
  *out << "(" << Describe(rect) << ")";
}
inline void PrintTo(TColor color, std::ostream* out) {
  *out << Describe(color);
}

// The log lines of the fakes, for expectations.
inline std::string Fill(const TRect& rect, TColor color) {
  return "fill " + Describe(rect) + " " + Describe(color);
}
inline std::string Save(const TRect& rect) {
  return "save " + Describe(rect);
}
inline std::string Restore(const TRect& rect) {
  return "restore " + Describe(rect);
}
inline std::string Repaint(const TRect& rect) {
  return "repaint " + Describe(rect);
}

// A Width x Height pixel surface at (0,0). Text holds what the owner would paint there (a distinct value per
// pixel, never a caret colour); Pixels what is on screen. Every call is logged in order.
class TPixelCanvas final : public TCaretCanvas {
 public:
  TPixelCanvas(int width_, int height_) : FWidth(width_), FHeight(height_), FClip{0, 0, width_, height_} {
    Text.resize(static_cast<size_t>(width_ * height_));
    for (size_t index = 0; index < Text.size(); ++index) {
      Text[index] = TColor{0x100000u + static_cast<std::uint32_t>(index)};
    }
    Pixels = Text;
  }

  std::vector<TColor> Text;
  std::vector<TColor> Pixels;
  std::vector<std::string> Log;
  bool CanReadBack = true;  // false: SavePixels fails

  void SetClip(const TRect& clip) { FClip = clip; }
  TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }

  TColor& PixelAt(int x, int y) { return Pixels[static_cast<size_t>(y * FWidth + x)]; }
  TColor TextAt(int x, int y) const { return Text[static_cast<size_t>(y * FWidth + x)]; }

  // The owner's painting: puts the text of rect on screen, as an owner repaint does.
  void RepaintText(const TRect& rect) {
    ForEachPixel(IntersectRect(rect, Bounds()), [&](int x, int y) { PixelAt(x, y) = TextAt(x, y); });
  }
  // Changes the text of rect, as typing does, without painting it.
  void ChangeText(const TRect& rect, std::uint32_t salt) {
    ForEachPixel(IntersectRect(rect, Bounds()), [&](int x, int y) {
      Text[static_cast<size_t>(y * FWidth + x)] =
          TColor{0x200000u + salt * 0x1000u + static_cast<std::uint32_t>(y * FWidth + x)};
    });
  }

  // The first pixel outside except that does not show the text, described; empty when there is none.
  std::string Remnant(const TRect& except = TRect{}) const {
    for (int y = 0; y < FHeight; ++y) {
      for (int x = 0; x < FWidth; ++x) {
        const bool excepted = x >= except.Left && x < except.Right && y >= except.Top && y < except.Bottom;
        const size_t index = static_cast<size_t>(y * FWidth + x);
        if (!excepted && Pixels[index] != Text[index]) {
          return "pixel " + std::to_string(x) + "," + std::to_string(y) + " shows " +
                 Describe(Pixels[index]) + " over text " + Describe(Text[index]);
        }
      }
    }
    return {};
  }
  // Whether every pixel of rect shows color.
  bool Shows(const TRect& rect, TColor color) const {
    bool all = true;
    ForEachPixel(rect,
                 [&](int x, int y) { all = all && Pixels[static_cast<size_t>(y * FWidth + x)] == color; });
    return all;
  }

  std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }

  // TCaretCanvas
  void FillRect(const TRect& rect, TColor color) override {
    Log.push_back(Fill(rect, color));
    ForEachPixel(IntersectRect(IntersectRect(rect, FClip), Bounds()),
                 [&](int x, int y) { PixelAt(x, y) = color; });
  }
  TRect ClipRect() const override { return FClip; }
  bool SavePixels(const TRect& rect, std::vector<TColor>& pixels) override {
    Log.push_back(Save(rect));
    if (!CanReadBack) {
      return false;
    }
    pixels.clear();
    ForEachPixel(rect, [&](int x, int y) { pixels.push_back(Pixels[static_cast<size_t>(y * FWidth + x)]); });
    return true;
  }
  void RestorePixels(const TRect& rect, const std::vector<TColor>& pixels) override {
    Log.push_back(Restore(rect));
    size_t index = 0;
    ForEachPixel(rect, [&](int x, int y) { PixelAt(x, y) = pixels.at(index++); });
  }

 private:
  static void ForEachPixel(const TRect& rect, const std::function<void(int, int)>& visit) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
      for (int x = rect.Left; x < rect.Right; ++x) {
        visit(x, y);
      }
    }
  }

  int FWidth;
  int FHeight;
  TRect FClip;
};

// An owner-repaint callback that logs the request on the canvas and repaints the text there at once.
inline TOwnerRepaint RepaintInto(TPixelCanvas& canvas) {
  return [&canvas](TRect rect) {
    canvas.Log.push_back(Repaint(rect));
    canvas.RepaintText(rect);
  };
}

// What a manual timer went through; kept by the test, so it can be read after the timer is gone.
struct TTimerRecord {
  bool Running = false;
  int IntervalMs = 0;
  int Starts = 0;
  int Ticks = 0;
  bool Destroyed = false;
  bool DestroyedWhileRunning = false;
};

// A timer whose time passes only in Advance. Start resets the time counted towards the next tick.
class TManualTimer final : public TCaretTimer {
 public:
  explicit TManualTimer(TTimerRecord& record_) : FRecord(record_) {}
  ~TManualTimer() override {
    FRecord.Destroyed = true;
    FRecord.DestroyedWhileRunning = FRecord.Running;
  }
  TManualTimer(const TManualTimer&) = delete;  // reports into one record
  TManualTimer& operator=(const TManualTimer&) = delete;

  void Start(int intervalMs, std::function<void()> onTick) override {
    FRecord.Running = true;
    FRecord.IntervalMs = intervalMs;
    ++FRecord.Starts;
    FOnTick = std::move(onTick);
    FElapsedMs = 0;
  }
  void Stop() override { FRecord.Running = false; }
  bool IsRunning() const override { return FRecord.Running; }

  // Lets milliseconds pass, one at a time, ticking whenever a full interval has passed while running.
  void Advance(int milliseconds) {
    for (int step = 0; step < milliseconds; ++step) {
      if (!FRecord.Running) {
        return;
      }
      if (++FElapsedMs >= FRecord.IntervalMs) {
        FElapsedMs = 0;
        ++FRecord.Ticks;
        const std::function<void()> onTick = FOnTick;  // the tick may restart the timer
        onTick();
      }
    }
  }

 private:
  TTimerRecord& FRecord;
  std::function<void()> FOnTick;
  int FElapsedMs = 0;
};

// Makes a manual timer reporting into record, and keeps a pointer to it for Advance.
inline std::unique_ptr<TCaretTimer> MakeTimer(TTimerRecord& record, TManualTimer*& timer) {
  auto made = std::make_unique<TManualTimer>(record);
  timer = made.get();
  return made;
}

// A system caret port that logs its calls.
class TFakeSystemCaret final : public TSystemCaret {
 public:
  std::vector<std::string> Log;
  bool CreateFails = false;

  bool Create(int width, int height) override {
    Log.push_back("create " + std::to_string(width) + "x" + std::to_string(height));
    return !CreateFails;
  }
  void MoveTo(int left, int top) override {
    Log.push_back("move " + std::to_string(left) + "," + std::to_string(top));
  }
  void Show() override { Log.push_back("show"); }
  void Destroy() override { Log.push_back("destroy"); }

  std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }
};

// A view with settable focus and engine caret cell.
class TFakeCaretView final : public TCaretHostView {
 public:
  bool Focused = false;
  TRect EngineCell;

  bool HasFocus() const override { return Focused; }
  TRect EngineCaretRect() const override { return EngineCell; }
};

}  // namespace velmora::editor
