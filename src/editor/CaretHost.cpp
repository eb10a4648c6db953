// Assigning, showing and releasing the carets of an editor view.
#include "editor/CaretHost.h"

#include <cassert>
#include <utility>

namespace velmora::editor {

TCaretHost::TCaretHost(const TCaretHostView& view_, TCaretOwner owner_)
    : FView(view_), FOwner(std::move(owner_)) {}

TCaretHost::~TCaretHost() {
  for (TQvCaret* caret : {FCaret.get(), FCaretGhost.get()}) {
    if (caret != nullptr) {
      caret->OwnerDestroyed();
    }
  }
}

std::unique_ptr<TQvCaret> TCaretHost::SetCaret(std::unique_ptr<TQvCaret> caret) {
  // A caret that is already held arrives only from a caller that made a second owner of it. Asserted; in a
  // release build the slots let go of it rather than free it twice.
  assert(caret == nullptr || (caret.get() != FCaret.get() && caret.get() != FCaretGhost.get()));
  if (caret != nullptr && caret.get() == FCaret.get()) {
    (void)caret.release();
    return nullptr;
  }
  if (caret != nullptr && caret.get() == FCaretGhost.get()) {
    (void)FCaretGhost.release();
  }
  std::unique_ptr<TQvCaret> old = std::exchange(FCaret, std::move(caret));
  // The old caret goes first, so that it is off the screen before the new one saves what lies underneath.
  if (old != nullptr) {
    old->Detach();
  }
  if (FCaret == nullptr) {
    FCaretShape = TCaretShape::None;
    return old;
  }
  FCaret->AttachTo(FOwner);
  FCaretShape = FCaret->Shape();
  FCaret->SetRect(FView.EngineCaretRect());
  if (FView.HasFocus()) {
    FCaret->Show();
  }
  return old;
}

std::unique_ptr<TQvCaret> TCaretHost::SetCaretGhost(std::unique_ptr<TQvCaret> caret) {
  assert(caret == nullptr || (caret.get() != FCaret.get() && caret.get() != FCaretGhost.get()));
  if (caret != nullptr && caret.get() == FCaretGhost.get()) {
    (void)caret.release();
    return nullptr;
  }
  if (caret != nullptr && caret.get() == FCaret.get()) {
    (void)FCaret.release();
    FCaretShape = TCaretShape::None;
  }
  std::unique_ptr<TQvCaret> old = std::exchange(FCaretGhost, std::move(caret));
  if (old != nullptr) {
    old->Detach();
  }
  if (FCaretGhost != nullptr) {
    FCaretGhost->AttachTo(FOwner);
  }
  return old;
}

void TCaretHost::MoveCaret(const TRect& rect) {
  if (FCaret != nullptr) {
    FCaret->SetRect(rect);
  }
}

void TCaretHost::FocusGained() {
  if (FCaret != nullptr) {
    FCaret->SetRect(FView.EngineCaretRect());
    FCaret->Show();
  }
}

void TCaretHost::FocusLost() {
  if (FCaret != nullptr) {
    FCaret->Hide();
  }
}

void TCaretHost::SuspendForPaint() {
  for (TQvCaret* caret : {FCaret.get(), FCaretGhost.get()}) {
    if (caret != nullptr) {
      caret->SuspendForPaint();
    }
  }
}

void TCaretHost::ResumeAfterPaint() {
  for (TQvCaret* caret : {FCaret.get(), FCaretGhost.get()}) {
    if (caret != nullptr) {
      caret->ResumeAfterPaint();
    }
  }
}

}  // namespace velmora::editor
