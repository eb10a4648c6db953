// Drawing and taking off a painted caret, with or without the owner's repaint callback.
#include "editor/QvCaretPainted.h"

#include <algorithm>
#include <utility>

namespace velmora::editor {

TQvCaretPainted::~TQvCaretPainted() {
  TQvCaretPainted::Erase();
}

void TQvCaretPainted::SetColor(TColor value) {
  if (value == FColor) {
    return;
  }
  FColor = value;
  ColorChanged();
}

void TQvCaretPainted::SetWidth(int value) {
  value = std::max(value, 1);
  if (value == FWidth) {
    return;
  }
  FWidth = value;
  Redraw();
}

void TQvCaretPainted::ColorChanged() {
  Redraw();
}

void TQvCaretPainted::Redraw() {
  if (Drawn()) {
    Erase();
    Draw();
  }
}

TRect TQvCaretPainted::CoveredRect() const {
  return Shape() == TCaretShape::Bar ? BarCaretRect(CaretRect(), FWidth) : CaretRect();
}

void TQvCaretPainted::Draw() {
  if (Drawn()) {
    Erase();
  }
  if (FCanvas == nullptr) {
    return;
  }
  SetDrawn(true);
  const TRect covered = CoveredRect();
  if (FOwnerRepaint) {
    FSavedRect = covered;
  } else {
    const TRect visible = IntersectRect(covered, FCanvas->ClipRect());
    if (!visible.IsEmpty() && FCanvas->SavePixels(visible, FSavedPixels)) {
      FSavedRect = visible;
    } else {
      FSavedRect = TRect{};
      FSavedPixels.clear();
    }
  }
  PaintCaret();
}

void TQvCaretPainted::Erase() {
  if (!Drawn()) {
    return;
  }
  // Marked first: a callback that paints at once finds the caret off and does not fill it again.
  SetDrawn(false);
  const TRect saved = std::exchange(FSavedRect, TRect{});
  if (saved.IsEmpty() || FCanvas == nullptr) {
    return;
  }
  if (FOwnerRepaint) {
    FOwnerRepaint(saved);
  } else {
    FCanvas->RestorePixels(saved, FSavedPixels);
    FSavedPixels.clear();
  }
}

void TQvCaretPainted::PaintCaret() {
  if (Drawn() && FCanvas != nullptr && !FSavedRect.IsEmpty()) {
    FCanvas->FillRect(FSavedRect, CurrentColor());
  }
}

void TQvCaretPainted::SuspendForPaint() {
  if (!FOwnerRepaint) {
    TQvCaret::SuspendForPaint();
  }
}

void TQvCaretPainted::ResumeAfterPaint() {
  if (FOwnerRepaint) {
    PaintCaret();
  } else {
    TQvCaret::ResumeAfterPaint();
  }
}

void TQvCaretPainted::OwnerDestroyed() {
  FCanvas = nullptr;
  FOwnerRepaint = nullptr;
  FSavedRect = TRect{};
  FSavedPixels.clear();
  SetDrawn(false);
  TQvCaret::OwnerDestroyed();
}

void TQvCaretPainted::AttachTo(const TCaretOwner& owner) {
  Detach();
  FCanvas = owner.Canvas;
  FOwnerRepaint = owner.Repaint;
}

void TQvCaretPainted::Detach() {
  Hide();
  Erase();
  FCanvas = nullptr;
  FOwnerRepaint = nullptr;
}

}  // namespace velmora::editor
