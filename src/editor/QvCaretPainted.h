// A caret that the editor paints itself on its owner's canvas, as a bar or as a block filling the cell.
#pragma once

#include <vector>

#include "editor/QvCaret.h"

namespace velmora::editor {

// The rectangle a bar caret of the given width covers in cell: width pixels centred on the cell's left
// edge (starting width div 2 to the left of it), the cell's full height.
constexpr TRect BarCaretRect(const TRect& cell, int width) {
  const int left = cell.Left - width / 2;
  return TRect{left, cell.Top, left + width, cell.Bottom};
}

// Draws by filling the rectangle the shape covers (SavedRect) with the current colour, and takes itself off
// in one of two ways:
// - with an owner-repaint callback, Erase asks the owner to repaint SavedRect, so the text under the caret
//   is drawn afresh. A paint pass of the owner then repaints the area underneath by itself: SuspendForPaint
//   does nothing and ResumeAfterPaint only fills the caret again when it is drawn;
// - without one, Draw first copies the pixels of SavedRect, the part of the shape inside the canvas's clip
//   rectangle, and Erase writes them back. Nothing is drawn when the shape lies outside the clip, or when the
//   canvas cannot read its pixels back (the caret could not take itself off again).
// Draw on a drawn caret takes it off first, and Erase on a caret that is not drawn does nothing, so the
// saved pixels are never the caret's own and are never written back over text painted since.
// Without a canvas (not attached, or after OwnerDestroyed) the caret is never drawn.
class TQvCaretPainted : public TQvCaret {
 public:
  ~TQvCaretPainted() override;  // takes a drawn caret off its canvas

  TColor Color() const { return FColor; }
  // A drawn caret is redrawn in the new colour.
  void SetColor(TColor value);

  TCaretCanvas* Canvas() const { return FCanvas; }
  bool HasOwnerRepaint() const { return static_cast<bool>(FOwnerRepaint); }
  // The rectangle the drawn caret covers; empty when it is not drawn or covers nothing visible.
  const TRect& SavedRect() const { return FSavedRect; }

  void Draw() override;
  void Erase() override;
  void ResumeAfterPaint() override;
  void SuspendForPaint() override;
  void OwnerDestroyed() override;
  void PaintCaret() override;
  void AttachTo(const TCaretOwner& owner) override;
  void Detach() override;

 protected:
  explicit TQvCaretPainted(TCaretShape shape_) : TQvCaret(shape_) {}

  // The bar's width in pixels, at least 1; the bar classes make these public. A drawn caret is redrawn.
  int Width() const { return FWidth; }
  void SetWidth(int value);

  // The colour PaintCaret fills with.
  virtual TColor CurrentColor() const { return FColor; }
  // Called after a colour changed; erases and draws a drawn caret.
  virtual void ColorChanged();
  // Erases and draws a drawn caret.
  void Redraw();

 private:
  TRect CoveredRect() const;

  TCaretCanvas* FCanvas = nullptr;  // not owned
  TOwnerRepaint FOwnerRepaint;
  TRect FSavedRect;                  // empty unless drawn
  std::vector<TColor> FSavedPixels;  // without a callback: the pixels under FSavedRect, row by row
  TColor FColor = kColorBlack;
  int FWidth = kDefaultCaretWidth;
};

}  // namespace velmora::editor
