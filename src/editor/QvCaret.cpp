// The state machine shared by every caret: showing, moving and suspending around a paint pass.
#include "editor/QvCaret.h"

namespace velmora::editor {

void TQvCaret::SetActive(bool value) {
  if (value == FActive) {
    return;
  }
  FActive = value;
  if (value) {
    Draw();
  } else {
    Erase();
  }
}

void TQvCaret::SetRect(const TRect& rect) {
  if (!FDrawn) {
    FCaretRect = rect;
    return;
  }
  Erase();
  FCaretRect = rect;
  Draw();
}

void TQvCaret::SuspendForPaint() {
  FWasActive = FActive;
  if (FActive) {
    Hide();
  }
}

void TQvCaret::ResumeAfterPaint() {
  SetActive(FWasActive);
}

void TQvCaret::OwnerDestroyed() {
  // Not SetActive(false): erasing would call into the dying owner.
  FActive = false;
  FWasActive = false;
}

}  // namespace velmora::editor
