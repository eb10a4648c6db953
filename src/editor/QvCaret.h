// The abstract text caret of the editor view: where it stands, whether it is shown, and the state machine of
// showing, moving and taking it off around a paint pass that every kind of caret shares.
#pragma once

#include <cstdint>

#include "editor/CaretGeometry.h"
#include "editor/CaretPorts.h"

namespace velmora::editor {

// How the caret marks the insertion point; the view reads it for hit testing. A block caret puts the caret
// before the character under the pointer, a bar caret at the nearest character boundary. None is the view's
// shape while it holds no caret.
enum class TCaretShape : std::uint8_t { None = 0, Bar = 1, Block = 2 };

constexpr int kDefaultCaretWidth = 2;     // pixels, for bar carets and the system caret
constexpr int kCaretBlinkInterval = 500;  // milliseconds

// State kept by every caret:
// - CaretRect is the character cell at the insertion point, in the owner's client coordinates;
// - Active means the owner wants the caret shown (it has the focus);
// - Drawn means the caret is on screen now. A blinking caret is active but not drawn half of the time, and a
//   caret whose owner is gone is never drawn;
// - WasActive is Active as it was when the last paint pass took the caret off.
// A caret is used from the main thread only.
class TQvCaret {
 public:
  virtual ~TQvCaret() = default;
  TQvCaret(const TQvCaret&) = delete;  // a caret is attached to one owner and may own a running timer
  TQvCaret& operator=(const TQvCaret&) = delete;

  const TRect& CaretRect() const { return FCaretRect; }
  bool Drawn() const { return FDrawn; }
  bool Active() const { return FActive; }
  bool WasActive() const { return FWasActive; }
  TCaretShape Shape() const { return FShape; }

  // Puts the caret on screen at CaretRect, or takes it off.
  virtual void Draw() = 0;
  virtual void Erase() = 0;
  // Does nothing when value equals Active; otherwise stores it and draws or erases.
  virtual void SetActive(bool value);
  // Moves the caret to the cell rect; a drawn caret is erased at the old place and drawn at the new one.
  virtual void SetRect(const TRect& rect);
  // Around the owner's paint pass: SuspendForPaint remembers Active and hides an active caret,
  // ResumeAfterPaint restores the remembered state.
  virtual void ResumeAfterPaint();
  virtual void SuspendForPaint();
  // The owner is being destroyed: the caret stops being active and never calls into the owner's ports again.
  virtual void OwnerDestroyed();
  // Paints the caret's appearance where it is drawn, without taking anything off first.
  virtual void PaintCaret() = 0;

  // Starts using the ports of a view. A caret attached elsewhere is detached first.
  virtual void AttachTo(const TCaretOwner& owner) = 0;
  // Stops using the view's ports: the caret is hidden and taken off the screen, then forgets the ports. Used
  // when the view replaces the caret, so that the old one leaves nothing behind.
  virtual void Detach() = 0;

  void Show() { SetActive(true); }
  void Hide() { SetActive(false); }

 protected:
  explicit TQvCaret(TCaretShape shape_) : FShape(shape_) {}

  void SetDrawn(bool value) { FDrawn = value; }
  void StoreRect(const TRect& rect) { FCaretRect = rect; }

 private:
  TRect FCaretRect;
  bool FDrawn = false;
  bool FActive = false;
  bool FWasActive = false;
  TCaretShape FShape;
};

}  // namespace velmora::editor
