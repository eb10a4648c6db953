// Painted carets that stay visible and alternate between two colours.
#pragma once

#include <memory>

#include "editor/QvCaretPainted.h"

namespace velmora::editor {

// Shown and taken off like a steady caret, but a timer running from construction to destruction flips a
// phase every BlinkInterval milliseconds; a drawn caret is filled again in ColorAlternate (red by default) or
// Color (black) without being taken off. Changing either colour only fills the drawn caret again.
class TQvCaretAlternating : public TQvCaretPainted {
 public:
  ~TQvCaretAlternating() override;  // stops the timer

  TColor ColorAlternate() const { return FColorAlternate; }
  void SetColorAlternate(TColor value);
  int BlinkInterval() const { return FBlinkInterval; }
  // Milliseconds, at least 1; restarts the timer with the new interval.
  void SetBlinkInterval(int value);
  // True while the caret shows ColorAlternate.
  bool AlternatePhase() const { return FAlternatePhase; }

 protected:
  // Starts the timer. Throws std::invalid_argument when timer_ is null.
  TQvCaretAlternating(TCaretShape shape_, std::unique_ptr<TCaretTimer> timer_);

  TColor CurrentColor() const override;
  void ColorChanged() override;

 private:
  void StartTimer();
  void Alternate();

  std::unique_ptr<TCaretTimer> FTimer;  // never null
  TColor FColorAlternate = kColorRed;
  int FBlinkInterval = kCaretBlinkInterval;
  bool FAlternatePhase = false;
};

// An alternating bar, Width pixels wide (2 by default).
class TQvCaretAlternatingBar final : public TQvCaretAlternating {
 public:
  explicit TQvCaretAlternatingBar(std::unique_ptr<TCaretTimer> timer_)
      : TQvCaretAlternating(TCaretShape::Bar, std::move(timer_)) {}

  using TQvCaretPainted::SetWidth;
  using TQvCaretPainted::Width;
};

// An alternating block covering the cell.
class TQvCaretAlternatingSquare final : public TQvCaretAlternating {
 public:
  explicit TQvCaretAlternatingSquare(std::unique_ptr<TCaretTimer> timer_)
      : TQvCaretAlternating(TCaretShape::Block, std::move(timer_)) {}
};

}  // namespace velmora::editor
