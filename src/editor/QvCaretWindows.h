// The caret that stands for the platform's own text cursor, shown through the owner's system caret port.
#pragma once

#include "editor/QvCaret.h"

namespace velmora::editor {

// A bar Width pixels wide (2 by default) and as high as the cell, placed width div 2 left of the cell's
// left edge. Draw creates, places and shows the owner's system caret; Erase destroys it. Moving a drawn
// caret to a cell of the same height only moves it; another height creates it again. Without an owner
// control (OwnerControl) the caret is never drawn.
class TQvCaretWindows final : public TQvCaret {
 public:
  TQvCaretWindows() : TQvCaret(TCaretShape::Bar) {}
  ~TQvCaretWindows() override;  // destroys a drawn system caret

  TSystemCaret* OwnerControl() const { return FOwnerControl; }
  // A drawn caret is erased from the old owner first; the caret is not drawn in the new one.
  void SetOwnerControl(TSystemCaret* value);
  int Width() const { return FWidth; }
  // Pixels, at least 1; a drawn caret is created again with the new width.
  void SetWidth(int value);

  void Draw() override;
  void Erase() override;
  void SetRect(const TRect& rect) override;
  void OwnerDestroyed() override;
  // Nothing to paint: the system caret is drawn by whoever implements the port.
  void PaintCaret() override {}
  void AttachTo(const TCaretOwner& owner) override;
  void Detach() override;

 private:
  int CaretLeft(const TRect& cell) const;

  TSystemCaret* FOwnerControl = nullptr;  // not owned
  int FWidth = kDefaultCaretWidth;
};

}  // namespace velmora::editor
