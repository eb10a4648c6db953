// The two carets of an editor view, the caret at the insertion point and the ghost caret at a drop position,
// and the rules for assigning, showing and releasing them.
#pragma once

#include <memory>

#include "editor/CaretPorts.h"
#include "editor/QvCaret.h"

namespace velmora::editor {

// What the host asks its view about.
class TCaretHostView {
 public:
  virtual ~TCaretHostView() = default;
  virtual bool HasFocus() const = 0;
  // The engine's caret cell, in the view's client coordinates.
  virtual TRect EngineCaretRect() const = 0;
};

// Owns the view's Caret and CaretGhost and attaches them to the view's ports (canvas, repaint callback,
// system caret). A caret is in at most one slot: ownership makes that so, and moving one between the slots
// goes through Take..., as in SetCaretGhost(TakeCaret()).
//
// Assigning a caret detaches the one it replaces (hidden, taken off the screen, its ports forgotten) and
// hands it back; dropping the result frees it. The new caret is attached to the view's ports. As Caret it
// also gives the view its shape, moves to the engine's caret cell and is shown when the view has the focus;
// with no caret the shape is None. As CaretGhost it stays hidden where it is until the view shows it at a
// drop position.
//
// The host lives inside the view and goes first when the view is destroyed: it tells both carets their owner
// is gone, so that freeing them afterwards calls into no canvas, callback or system caret.
class TCaretHost {
 public:
  // view_ and the ports in owner_ must outlive the host.
  TCaretHost(const TCaretHostView& view_, TCaretOwner owner_);
  ~TCaretHost();
  TCaretHost(const TCaretHost&) = delete;  // the carets are attached to one view's ports
  TCaretHost& operator=(const TCaretHost&) = delete;

  TQvCaret* Caret() const { return FCaret.get(); }
  TQvCaret* CaretGhost() const { return FCaretGhost.get(); }
  // The shape the view uses for hit testing: the Caret's, or None without one.
  TCaretShape CaretShape() const { return FCaretShape; }

  // Each returns the caret that was in the slot, detached; null when the slot was empty.
  std::unique_ptr<TQvCaret> SetCaret(std::unique_ptr<TQvCaret> caret);
  std::unique_ptr<TQvCaret> SetCaretGhost(std::unique_ptr<TQvCaret> caret);
  std::unique_ptr<TQvCaret> TakeCaret() { return SetCaret(nullptr); }
  std::unique_ptr<TQvCaret> TakeCaretGhost() { return SetCaretGhost(nullptr); }

  // The engine moved its caret.
  void MoveCaret(const TRect& rect);
  // Gaining the focus puts the Caret at the engine's caret cell and shows it; losing it hides the Caret.
  void FocusGained();
  void FocusLost();
  // Around the view's paint pass, for both carets.
  void SuspendForPaint();
  void ResumeAfterPaint();

 private:
  const TCaretHostView& FView;
  TCaretOwner FOwner;
  std::unique_ptr<TQvCaret> FCaret;
  std::unique_ptr<TQvCaret> FCaretGhost;
  TCaretShape FCaretShape = TCaretShape::None;
};

}  // namespace velmora::editor
