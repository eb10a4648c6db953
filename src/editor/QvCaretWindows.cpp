// Creating, moving and destroying the owner's system caret.
#include "editor/QvCaretWindows.h"

#include <algorithm>

namespace velmora::editor {

TQvCaretWindows::~TQvCaretWindows() {
  TQvCaretWindows::Erase();
}

int TQvCaretWindows::CaretLeft(const TRect& cell) const {
  return cell.Left - FWidth / 2;
}

void TQvCaretWindows::SetOwnerControl(TSystemCaret* value) {
  if (value == FOwnerControl) {
    return;
  }
  Erase();
  FOwnerControl = value;
}

void TQvCaretWindows::SetWidth(int value) {
  value = std::max(value, 1);
  if (value == FWidth) {
    return;
  }
  FWidth = value;
  if (Drawn()) {
    Erase();
    Draw();
  }
}

void TQvCaretWindows::Draw() {
  // One system caret per owner: a drawn one is destroyed before it is created again.
  Erase();
  const TRect& cell = CaretRect();
  if (FOwnerControl == nullptr || cell.Height() <= 0 || !FOwnerControl->Create(FWidth, cell.Height())) {
    return;
  }
  SetDrawn(true);
  FOwnerControl->MoveTo(CaretLeft(cell), cell.Top);
  FOwnerControl->Show();
}

void TQvCaretWindows::Erase() {
  if (!Drawn()) {
    return;
  }
  SetDrawn(false);
  if (FOwnerControl != nullptr) {
    FOwnerControl->Destroy();
  }
}

void TQvCaretWindows::SetRect(const TRect& rect) {
  if (Drawn() && rect.Height() == CaretRect().Height()) {
    StoreRect(rect);
    FOwnerControl->MoveTo(CaretLeft(rect), rect.Top);
    return;
  }
  TQvCaret::SetRect(rect);
}

void TQvCaretWindows::OwnerDestroyed() {
  FOwnerControl = nullptr;
  SetDrawn(false);
  TQvCaret::OwnerDestroyed();
}

void TQvCaretWindows::AttachTo(const TCaretOwner& owner) {
  Detach();
  FOwnerControl = owner.SystemCaret;
}

void TQvCaretWindows::Detach() {
  Hide();
  SetOwnerControl(nullptr);
}

}  // namespace velmora::editor
