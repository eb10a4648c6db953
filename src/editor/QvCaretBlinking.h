// Painted carets that blink: shown and taken off in turn every 500 ms while active.
#pragma once

#include <memory>

#include "editor/QvCaretPainted.h"

namespace velmora::editor {

// The timer runs exactly while the caret is active. Moving an active caret stops the timer, shows the caret
// at once at the new place and starts the timer again, so a moving caret is always visible and blinks from
// where it stopped. Destruction and OwnerDestroyed stop the timer.
class TQvCaretBlinking : public TQvCaretPainted {
 public:
  ~TQvCaretBlinking() override;  // deactivates first, so the timer is stopped before anything goes

  void SetActive(bool value) override;
  void SetRect(const TRect& rect) override;
  void OwnerDestroyed() override;

 protected:
  // Throws std::invalid_argument when timer_ is null.
  TQvCaretBlinking(TCaretShape shape_, std::unique_ptr<TCaretTimer> timer_);

 private:
  void StartBlinking();
  void Blink();

  std::unique_ptr<TCaretTimer> FTimer;  // never null
};

// A blinking bar, Width pixels wide (2 by default), in Color (black).
class TQvCaretBlinkingBar final : public TQvCaretBlinking {
 public:
  explicit TQvCaretBlinkingBar(std::unique_ptr<TCaretTimer> timer_)
      : TQvCaretBlinking(TCaretShape::Bar, std::move(timer_)) {}

  using TQvCaretPainted::SetWidth;
  using TQvCaretPainted::Width;
};

// A blinking block covering the cell, in Color (black).
class TQvCaretBlinkingSquare final : public TQvCaretBlinking {
 public:
  explicit TQvCaretBlinkingSquare(std::unique_ptr<TCaretTimer> timer_)
      : TQvCaretBlinking(TCaretShape::Block, std::move(timer_)) {}
};

}  // namespace velmora::editor
