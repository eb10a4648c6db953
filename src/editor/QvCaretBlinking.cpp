// The blink timer of a painted caret and how moving and activating restart it.
#include "editor/QvCaretBlinking.h"

#include <stdexcept>
#include <utility>

namespace velmora::editor {

TQvCaretBlinking::TQvCaretBlinking(TCaretShape shape_, std::unique_ptr<TCaretTimer> timer_)
    : TQvCaretPainted(shape_), FTimer(std::move(timer_)) {
  if (FTimer == nullptr) {
    throw std::invalid_argument("TQvCaretBlinking: a blinking caret needs a timer");
  }
}

TQvCaretBlinking::~TQvCaretBlinking() {
  TQvCaretBlinking::SetActive(false);
  FTimer->Stop();
}

void TQvCaretBlinking::SetActive(bool value) {
  if (value == Active()) {
    return;
  }
  if (!value) {
    FTimer->Stop();
  }
  TQvCaretPainted::SetActive(value);
  if (value) {
    StartBlinking();
  }
}

void TQvCaretBlinking::SetRect(const TRect& rect) {
  FTimer->Stop();
  TQvCaretPainted::SetRect(rect);
  if (Active()) {
    if (!Drawn()) {
      Draw();
    }
    StartBlinking();
  }
}

void TQvCaretBlinking::OwnerDestroyed() {
  FTimer->Stop();
  TQvCaretPainted::OwnerDestroyed();
}

void TQvCaretBlinking::StartBlinking() {
  FTimer->Start(kCaretBlinkInterval, [this] { Blink(); });
}

void TQvCaretBlinking::Blink() {
  if (Drawn()) {
    Erase();
  } else {
    Draw();
  }
}

}  // namespace velmora::editor
