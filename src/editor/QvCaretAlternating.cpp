// The colour timer of an alternating caret.
#include "editor/QvCaretAlternating.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace velmora::editor {

TQvCaretAlternating::TQvCaretAlternating(TCaretShape shape_, std::unique_ptr<TCaretTimer> timer_)
    : TQvCaretPainted(shape_), FTimer(std::move(timer_)) {
  if (FTimer == nullptr) {
    throw std::invalid_argument("TQvCaretAlternating: an alternating caret needs a timer");
  }
  StartTimer();
}

TQvCaretAlternating::~TQvCaretAlternating() {
  FTimer->Stop();
}

void TQvCaretAlternating::SetColorAlternate(TColor value) {
  if (value == FColorAlternate) {
    return;
  }
  FColorAlternate = value;
  ColorChanged();
}

void TQvCaretAlternating::SetBlinkInterval(int value) {
  value = std::max(value, 1);
  if (value == FBlinkInterval) {
    return;
  }
  FBlinkInterval = value;
  StartTimer();
}

TColor TQvCaretAlternating::CurrentColor() const {
  return FAlternatePhase ? FColorAlternate : Color();
}

void TQvCaretAlternating::ColorChanged() {
  PaintCaret();
}

void TQvCaretAlternating::StartTimer() {
  FTimer->Start(FBlinkInterval, [this] { Alternate(); });
}

void TQvCaretAlternating::Alternate() {
  FAlternatePhase = !FAlternatePhase;
  PaintCaret();
}

}  // namespace velmora::editor
