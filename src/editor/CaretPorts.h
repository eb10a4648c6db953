// The narrow ports through which carets reach the screen: a canvas, an owner-repaint callback, a repeating
// timer and a system caret, and the bundle of them a view lends to the carets it holds.
#pragma once

#include <functional>
#include <vector>

#include "editor/CaretGeometry.h"

namespace velmora::editor {

// The part of an owner's drawing surface that a painted caret uses. All rectangles are in the owner's client
// coordinates. The caret does not own the canvas; the canvas must outlive every caret attached to it, which
// the caret host guarantees by detaching its carets or telling them the owner is gone.
class TCaretCanvas {
 public:
  virtual ~TCaretCanvas() = default;

  // Fills rect with color. The canvas clips the fill to its own clip rectangle.
  virtual void FillRect(const TRect& rect, TColor color) = 0;

  // The rest serves only a caret that has no owner-repaint callback and so must put back itself what it
  // painted over.

  // The rectangle drawing is currently clipped to.
  virtual TRect ClipRect() const = 0;
  // Copies the pixels of rect, which lies inside ClipRect(), row by row into pixels (resized to
  // rect.Width() * rect.Height()). Returns false, leaving pixels unspecified, when this canvas cannot read
  // its pixels back; the caret then paints nothing, because it could not take itself off again.
  virtual bool SavePixels(const TRect& rect, std::vector<TColor>& pixels) = 0;
  // Writes pixels saved by SavePixels from rect back to rect.
  virtual void RestorePixels(const TRect& rect, const std::vector<TColor>& pixels) = 0;
};

// Asks the owner to repaint a rectangle of its client area: the text under a caret that is taken off. The
// owner may paint at once or later in its paint pass; either way the caret is repainted after it through
// ResumeAfterPaint.
using TOwnerRepaint = std::function<void(TRect)>;

// A repeating timer on the main thread's event loop. The caret that owns it stops it before it goes away.
class TCaretTimer {
 public:
  virtual ~TCaretTimer() = default;  // a timer destroyed while running stops and never ticks again

  // Starts the timer, or restarts it when it runs: onTick is called every intervalMs milliseconds (at least
  // 1), counted from this call, until Stop. The new interval and callback replace the old ones.
  virtual void Start(int intervalMs, std::function<void()> onTick) = 0;
  // Stops the timer; no tick follows, even one already due. Stopping a stopped timer does nothing.
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
};

// The system-style text cursor of one owner control: a solid bar the platform shows and blinks itself. On
// this platform there is no such facility; the widget implements it, for example by painting a bar. The
// caret does not own it.
class TSystemCaret {
 public:
  virtual ~TSystemCaret() = default;

  // Creates the owner's caret, width by height pixels, hidden. Returns false when it could not be created;
  // nothing else is called for it then. At most one exists per owner at a time.
  virtual bool Create(int width, int height) = 0;
  // Places the created caret's top-left corner.
  virtual void MoveTo(int left, int top) = 0;
  // Makes the created caret visible.
  virtual void Show() = 0;
  // Removes the created caret from the screen and forgets it.
  virtual void Destroy() = 0;
};

// What a view lends to the carets it holds. None of it is owned by the caret. A painted caret uses Canvas
// and Repaint, the system caret uses SystemCaret; a missing part leaves that kind of caret invisible.
struct TCaretOwner {
  TCaretCanvas* Canvas = nullptr;
  TOwnerRepaint Repaint;  // may be empty: the caret then saves and restores the pixels it covers
  TSystemCaret* SystemCaret = nullptr;
};

}  // namespace velmora::editor
