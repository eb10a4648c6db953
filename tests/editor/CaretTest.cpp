// Tests of the caret classes: drawing and taking off, blinking, alternating colours, the system caret, and
// what they do once their owner is gone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CaretFakes.h"
#include "editor/QvCaretAlternating.h"
#include "editor/QvCaretBlinking.h"
#include "editor/QvCaretShapes.h"
#include "editor/QvCaretWindows.h"

namespace velmora::editor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr TColor kBlue{0xFF0000};

// Makes a painted caret for a table row; a timed one gets a manual timer reporting into the record.
using TCaretMaker = std::function<std::unique_ptr<TQvCaretPainted>(TTimerRecord&, TManualTimer*&)>;

template <class TCaret>
TCaretMaker Steady() {
  return [](TTimerRecord&, TManualTimer*&) {
    return std::unique_ptr<TQvCaretPainted>(std::make_unique<TCaret>());
  };
}

template <class TCaret>
TCaretMaker Timed() {
  return [](TTimerRecord& record, TManualTimer*& timer) {
    return std::unique_ptr<TQvCaretPainted>(std::make_unique<TCaret>(MakeTimer(record, timer)));
  };
}

class CaretOnCanvas : public ::testing::Test {
 protected:
  TCaretOwner WithRepaint() { return TCaretOwner{&Canvas, RepaintInto(Canvas), nullptr}; }
  TCaretOwner WithoutRepaint() { return TCaretOwner{&Canvas, nullptr, nullptr}; }

  TPixelCanvas Canvas{40, 14};
  TTimerRecord TimerRecord;
  TManualTimer* Timer = nullptr;
};

// --- Defaults ---

TEST_F(CaretOnCanvas, EachKindStartsWithItsShapeAndDefaults) {
  TQvCaretBar bar;
  EXPECT_EQ(bar.Shape(), TCaretShape::Bar);
  EXPECT_EQ(bar.Color(), kColorBlack);
  EXPECT_EQ(bar.Width(), 2);
  EXPECT_EQ(TQvCaretSquare().Shape(), TCaretShape::Block);
  TTimerRecord blinkRecord;
  TManualTimer* blinkTimer = nullptr;
  TQvCaretBlinkingBar blinking(MakeTimer(blinkRecord, blinkTimer));
  EXPECT_EQ(blinking.Shape(), TCaretShape::Bar);
  EXPECT_EQ(blinking.Width(), 2);
  EXPECT_FALSE(blinkRecord.Running);  // blinks only while active
  EXPECT_EQ(TQvCaretBlinkingSquare(MakeTimer(blinkRecord, blinkTimer)).Shape(), TCaretShape::Block);
  TQvCaretAlternatingBar alternating(MakeTimer(TimerRecord, Timer));
  EXPECT_EQ(alternating.Shape(), TCaretShape::Bar);
  EXPECT_EQ(alternating.Color(), kColorBlack);
  EXPECT_EQ(alternating.ColorAlternate(), kColorRed);
  EXPECT_EQ(alternating.BlinkInterval(), 500);
  EXPECT_EQ(alternating.Width(), 2);
  EXPECT_TRUE(TimerRecord.Running);  // alternates from construction
  EXPECT_EQ(TimerRecord.IntervalMs, 500);
  TQvCaretWindows system;
  EXPECT_EQ(system.Shape(), TCaretShape::Bar);
  EXPECT_EQ(system.Width(), 2);
  for (const TQvCaret* caret : std::vector<const TQvCaret*>{&bar, &blinking, &alternating, &system}) {
    EXPECT_FALSE(caret->Active());
    EXPECT_FALSE(caret->Drawn());
  }
}

TEST_F(CaretOnCanvas, TimedCaretsRefuseANullTimer) {
  EXPECT_THROW(TQvCaretBlinkingBar(nullptr), std::invalid_argument);
  EXPECT_THROW(TQvCaretAlternatingSquare(nullptr), std::invalid_argument);
}

// --- What a painted caret covers ---

struct TCoverCase {
  const char* Name;
  std::function<std::unique_ptr<TQvCaretPainted>()> Make;
  TRect Expected;  // drawn at Cell(1), whose left edge is x = 10
};

TEST_F(CaretOnCanvas, CoversItsShapesRectangleAndNothingElse) {
  auto bar = [](int width) {
    return [width] {
      auto caret = std::make_unique<TQvCaretBar>();
      caret->SetWidth(width);
      return std::unique_ptr<TQvCaretPainted>(std::move(caret));
    };
  };
  const std::vector<TCoverCase> cases = {
      {"bar of width 1 starts at the edge", bar(1), TRect{10, 2, 11, 12}},
      {"bar of width 2 straddles the edge", bar(2), TRect{9, 2, 11, 12}},
      {"bar of width 3 runs from one left of the edge to one right", bar(3), TRect{9, 2, 12, 12}},
      {"bar of width 4", bar(4), TRect{8, 2, 12, 12}},
      {"bar of width 0 is taken as 1", bar(0), TRect{10, 2, 11, 12}},
      {"square fills the cell",
       [] { return std::unique_ptr<TQvCaretPainted>(std::make_unique<TQvCaretSquare>()); }, Cell(1)},
  };
  for (const TCoverCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Canvas.RepaintText(Canvas.Bounds());
    Canvas.TakeLog();
    std::unique_ptr<TQvCaretPainted> caret = c.Make();
    caret->AttachTo(WithRepaint());
    caret->SetRect(Cell(1));
    caret->Show();
    EXPECT_EQ(caret->SavedRect(), c.Expected);
    EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(c.Expected, kColorBlack)));
    EXPECT_TRUE(Canvas.Shows(c.Expected, kColorBlack));
    EXPECT_EQ(Canvas.Remnant(c.Expected), "");
    caret->Detach();
  }
}

// --- Taking a painted caret off ---

TEST_F(CaretOnCanvas, WithACallbackEraseAsksToRepaintExactlyTheCoveredRectangle) {
  TQvCaretBar caret;
  caret.SetWidth(3);
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(2));
  caret.Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(2, 3), kColorBlack)));

  caret.Hide();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(2, 3))));
  EXPECT_FALSE(caret.Drawn());
  EXPECT_EQ(Canvas.Remnant(), "");

  caret.Erase();  // not drawn: nothing to take off
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
}

TEST_F(CaretOnCanvas, WithoutACallbackEraseWritesTheSavedPixelsBack) {
  TQvCaretSquare caret;
  caret.AttachTo(WithoutRepaint());
  caret.SetRect(Cell(0));
  caret.Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Save(Cell(0)), Fill(Cell(0), kColorBlack)));
  caret.Hide();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Restore(Cell(0))));
  EXPECT_EQ(Canvas.Remnant(), "");

  // Drawing a drawn caret again must not save the caret's own pixels as the background.
  caret.Draw();
  caret.Draw();
  caret.Erase();
  EXPECT_EQ(Canvas.Remnant(), "");
}

struct TClipCase {
  const char* Name;
  TRect Clip;
  bool CanReadBack;
  TRect ExpectedSaved;  // of a bar of width 2 at Cell(1), that is x = 9..10
};

TEST_F(CaretOnCanvas, WithoutACallbackPaintsOnlyWhatItCanTakeOffAgain) {
  const std::vector<TClipCase> cases = {
      {"clip holds the whole bar", TRect{0, 0, 40, 14}, true, Bar(1)},
      {"clip ends at the cell edge", TRect{0, 0, 10, 14}, true, TRect{9, 2, 10, 12}},
      {"clip cuts the top", TRect{0, 5, 40, 14}, true, TRect{9, 5, 11, 12}},
      {"clip lies right of the bar", TRect{20, 0, 40, 14}, true, TRect{}},
      {"canvas cannot read back", TRect{0, 0, 40, 14}, false, TRect{}},
  };
  for (const TClipCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Canvas.RepaintText(Canvas.Bounds());
    Canvas.TakeLog();
    Canvas.SetClip(c.Clip);
    Canvas.CanReadBack = c.CanReadBack;
    TQvCaretBar caret;
    caret.AttachTo(WithoutRepaint());
    caret.SetRect(Cell(1));
    caret.Show();
    EXPECT_TRUE(caret.Drawn());  // drawn as far as the owner is concerned, even with nothing on screen
    EXPECT_EQ(caret.SavedRect(), c.ExpectedSaved);
    EXPECT_TRUE(Canvas.Shows(c.ExpectedSaved, kColorBlack));
    EXPECT_EQ(Canvas.Remnant(c.ExpectedSaved), "");
    caret.Hide();
    EXPECT_EQ(Canvas.Remnant(), "");
  }
}

// --- Typing: no caret remnants ---

struct TTypingCase {
  const char* Name;
  bool WithCallback;
  TCaretMaker Make;
};

// Types three characters: the engine changes and paints the line from the caret onwards, taking a caret off
// around that paint as the view does, and then moves the caret one cell on. Between keys 600 ms pass, so a
// blinking caret is caught in either phase.
TEST_F(CaretOnCanvas, TypingLeavesNoCaretRemnants) {
  const std::vector<TTypingCase> cases = {
      {"bar with callback", true, Steady<TQvCaretBar>()},
      {"bar without callback", false, Steady<TQvCaretBar>()},
      {"square without callback", false, Steady<TQvCaretSquare>()},
      {"blinking bar with callback", true, Timed<TQvCaretBlinkingBar>()},
      {"blinking square without callback", false, Timed<TQvCaretBlinkingSquare>()},
      {"alternating bar without callback", false, Timed<TQvCaretAlternatingBar>()},
  };
  for (const TTypingCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPixelCanvas canvas(40, 14);
    TTimerRecord record;
    TManualTimer* timer = nullptr;
    std::unique_ptr<TQvCaretPainted> caret = c.Make(record, timer);
    caret->AttachTo(TCaretOwner{&canvas, c.WithCallback ? RepaintInto(canvas) : nullptr, nullptr});
    caret->SetRect(Cell(0));
    caret->Show();
    for (int column = 0; column < 3; ++column) {
      SCOPED_TRACE("after typing at column " + std::to_string(column));
      const TRect line{Cell(column).Left, 2, 40, 12};
      caret->SuspendForPaint();
      canvas.ChangeText(line, static_cast<std::uint32_t>(column + 1));
      canvas.RepaintText(line);
      caret->ResumeAfterPaint();
      caret->SetRect(Cell(column + 1));
      EXPECT_TRUE(caret->Drawn());  // a moved caret is visible at once
      EXPECT_EQ(canvas.Remnant(caret->SavedRect()), "");
      if (timer != nullptr) {
        timer->Advance(600);
        EXPECT_EQ(canvas.Remnant(caret->SavedRect()), "");
      }
    }
    caret->Hide();
    EXPECT_EQ(canvas.Remnant(), "");
  }
}

// --- Around the owner's paint pass ---

TEST_F(CaretOnCanvas, WithACallbackAPaintPassOnlyRefillsADrawnCaret) {
  TQvCaretSquare caret;
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Canvas.TakeLog();

  caret.SuspendForPaint();
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  EXPECT_TRUE(caret.Active());
  Canvas.RepaintText(Canvas.Bounds());  // the owner's paint covers the caret
  caret.ResumeAfterPaint();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Cell(1), kColorBlack)));
  EXPECT_TRUE(Canvas.Shows(Cell(1), kColorBlack));

  caret.Hide();
  Canvas.TakeLog();
  caret.SuspendForPaint();
  caret.ResumeAfterPaint();
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  EXPECT_FALSE(caret.Drawn());
}

TEST_F(CaretOnCanvas, WithoutACallbackAPaintPassTakesTheCaretOffAndPutsItBack) {
  TQvCaretSquare caret;
  caret.AttachTo(WithoutRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Canvas.TakeLog();

  caret.SuspendForPaint();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Restore(Cell(1))));
  EXPECT_FALSE(caret.Active());
  EXPECT_TRUE(caret.WasActive());
  EXPECT_EQ(Canvas.Remnant(), "");
  caret.ResumeAfterPaint();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Save(Cell(1)), Fill(Cell(1), kColorBlack)));
  EXPECT_TRUE(caret.Active());

  // A hidden caret stays hidden.
  caret.Hide();
  Canvas.TakeLog();
  caret.SuspendForPaint();
  caret.ResumeAfterPaint();
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  EXPECT_FALSE(caret.Active());
}

// --- Showing, hiding and changing ---

TEST_F(CaretOnCanvas, ShowAndHideDoNothingWhenUnchanged) {
  TQvCaretBlinkingBar caret(MakeTimer(TimerRecord, Timer));
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  caret.Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(1), kColorBlack)));
  EXPECT_EQ(TimerRecord.Starts, 1);
  caret.Hide();
  caret.Hide();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1))));
}

TEST_F(CaretOnCanvas, ChangingColourOrWidthRedrawsADrawnCaret) {
  TQvCaretBar caret;
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Canvas.TakeLog();

  caret.SetColor(kBlue);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1)), Fill(Bar(1), kBlue)));
  caret.SetWidth(4);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1)), Fill(Bar(1, 4), kBlue)));
  caret.SetColor(kBlue);
  caret.SetWidth(4);
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  EXPECT_EQ(Canvas.Remnant(Bar(1, 4)), "");

  // A hidden caret only takes the values for its next appearance.
  caret.Hide();
  Canvas.TakeLog();
  caret.SetColor(kColorRed);
  caret.SetWidth(1);
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  caret.Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(1, 1), kColorRed)));
}

// --- Blinking ---

TEST_F(CaretOnCanvas, BlinkingCaretBlinksEvery500msOnlyWhileActive) {
  TQvCaretBlinkingBar caret(MakeTimer(TimerRecord, Timer));
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  EXPECT_TRUE(TimerRecord.Running);
  EXPECT_EQ(TimerRecord.IntervalMs, 500);
  Canvas.TakeLog();

  Timer->Advance(499);
  EXPECT_TRUE(caret.Drawn());
  Timer->Advance(1);
  EXPECT_FALSE(caret.Drawn());
  Timer->Advance(500);
  EXPECT_TRUE(caret.Drawn());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1)), Fill(Bar(1), kColorBlack)));

  caret.Hide();
  EXPECT_FALSE(TimerRecord.Running);
  EXPECT_FALSE(caret.Drawn());
  Timer->Advance(2000);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1))));
}

TEST_F(CaretOnCanvas, MovedBlinkingCaretShowsAtOnceAndBlinksFromThere) {
  TQvCaretBlinkingBar caret(MakeTimer(TimerRecord, Timer));
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(0));
  caret.Show();
  Timer->Advance(500);  // off
  Canvas.TakeLog();

  caret.SetRect(Cell(2));
  EXPECT_TRUE(caret.Drawn());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(2), kColorBlack)));

  Timer->Advance(300);
  caret.SetRect(Cell(3));  // moved while on: the timer starts over
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(2)), Fill(Bar(3), kColorBlack)));
  Timer->Advance(499);
  EXPECT_TRUE(caret.Drawn());
  Timer->Advance(1);
  EXPECT_FALSE(caret.Drawn());

  // An inactive caret moves without appearing or blinking.
  caret.Hide();
  Canvas.TakeLog();
  caret.SetRect(Cell(4));
  EXPECT_FALSE(caret.Drawn());
  EXPECT_FALSE(TimerRecord.Running);
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
}

TEST_F(CaretOnCanvas, HidingABlinkingCaretInItsOffPhaseWritesNoStalePixelsBack) {
  TQvCaretBlinkingSquare caret(MakeTimer(TimerRecord, Timer));
  caret.AttachTo(WithoutRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Timer->Advance(500);  // off: the old text is back
  Canvas.ChangeText(Cell(1), 7);
  Canvas.RepaintText(Cell(1));  // the owner painted new text while the caret was off
  Canvas.TakeLog();

  caret.Hide();
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  EXPECT_EQ(Canvas.Remnant(), "");
}

TEST_F(CaretOnCanvas, DestroyingAShownBlinkingCaretStopsItsTimerAndTakesItOff) {
  auto caret = std::make_unique<TQvCaretBlinkingBar>(MakeTimer(TimerRecord, Timer));
  caret->AttachTo(WithoutRepaint());
  caret->SetRect(Cell(1));
  caret->Show();
  Canvas.TakeLog();

  caret.reset();
  EXPECT_TRUE(TimerRecord.Destroyed);
  EXPECT_FALSE(TimerRecord.DestroyedWhileRunning);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Restore(Bar(1))));
  EXPECT_EQ(Canvas.Remnant(), "");
}

// --- Alternating colours ---

TEST_F(CaretOnCanvas, AlternatingCaretChangesColourEveryIntervalAndStaysVisible) {
  TQvCaretAlternatingSquare caret(MakeTimer(TimerRecord, Timer));
  caret.SetBlinkInterval(250);
  EXPECT_EQ(TimerRecord.IntervalMs, 250);
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Canvas.TakeLog();

  for (int step = 0; step < 4; ++step) {
    Timer->Advance(250);
    EXPECT_TRUE(caret.Drawn());
    EXPECT_TRUE(Canvas.Shows(Cell(1), step % 2 == 0 ? kColorRed : kColorBlack));
  }
  // Four colour changes in one second, and never taken off.
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Cell(1), kColorRed), Fill(Cell(1), kColorBlack),
                                            Fill(Cell(1), kColorRed), Fill(Cell(1), kColorBlack)));
}

TEST_F(CaretOnCanvas, AlternatingColoursRepaintWithoutTakingTheCaretOff) {
  TQvCaretAlternatingBar caret(MakeTimer(TimerRecord, Timer));
  caret.AttachTo(WithRepaint());
  caret.SetRect(Cell(1));
  caret.Show();
  Canvas.TakeLog();

  caret.SetColor(kBlue);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(1), kBlue)));
  Timer->Advance(500);
  caret.SetColorAlternate(kColorBlack);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(1), kColorRed), Fill(Bar(1), kColorBlack)));
  caret.SetWidth(3);  // a new width covers other pixels: taken off and drawn again
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(1)), Fill(Bar(1, 3), kColorBlack)));
}

TEST_F(CaretOnCanvas, AlternatingTimerRunsFromConstructionToDestruction) {
  auto caret = std::make_unique<TQvCaretAlternatingSquare>(MakeTimer(TimerRecord, Timer));
  caret->AttachTo(WithRepaint());
  caret->SetRect(Cell(1));
  Timer->Advance(1500);  // three flips while hidden, painting nothing
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  caret->Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Cell(1), kColorRed)));

  caret.reset();
  EXPECT_TRUE(TimerRecord.Destroyed);
  EXPECT_FALSE(TimerRecord.DestroyedWhileRunning);
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Cell(1))));
}

// --- The owner goes away ---

struct TOrphanCase {
  const char* Name;
  TCaretMaker Make;
};

TEST_F(CaretOnCanvas, OwnerDestroyedStopsAllPainting) {
  const std::vector<TOrphanCase> cases = {
      {"bar", Steady<TQvCaretBar>()},
      {"blinking bar", Timed<TQvCaretBlinkingBar>()},
      {"alternating square", Timed<TQvCaretAlternatingSquare>()},
  };
  for (const bool withCallback : {true, false}) {
    for (const TOrphanCase& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (withCallback ? " with callback" : " without callback"));
      TTimerRecord record;
      TManualTimer* timer = nullptr;
      std::unique_ptr<TQvCaretPainted> caret = c.Make(record, timer);
      caret->AttachTo(withCallback ? WithRepaint() : WithoutRepaint());
      caret->SetRect(Cell(1));
      caret->Show();
      Canvas.TakeLog();

      caret->OwnerDestroyed();
      EXPECT_FALSE(caret->Active());
      EXPECT_FALSE(caret->Drawn());
      EXPECT_EQ(caret->Canvas(), nullptr);
      caret->Show();
      caret->SetRect(Cell(2));
      caret->SetColor(kBlue);
      caret->SuspendForPaint();
      caret->ResumeAfterPaint();
      if (timer != nullptr) {
        timer->Advance(2000);
      }
      caret.reset();
      EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
      EXPECT_FALSE(record.DestroyedWhileRunning);
      Canvas.RepaintText(Canvas.Bounds());
    }
  }
}

// --- The system caret ---

class SystemCaret : public ::testing::Test {
 protected:
  void SetUp() override {
    Caret.SetOwnerControl(&Owner);
    Caret.SetRect(Cell(1));
  }

  TFakeSystemCaret Owner;
  TQvCaretWindows Caret;
};

TEST_F(SystemCaret, IsCreatedAtTheBarsPlaceAndDestroyedOnErase) {
  Caret.Show();
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("create 2x10", "move 9,2", "show"));
  EXPECT_TRUE(Caret.Drawn());
  Caret.Hide();
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("destroy"));
  Caret.Erase();
  EXPECT_THAT(Owner.TakeLog(), IsEmpty());
}

TEST_F(SystemCaret, MovesOnlyWhenTheHeightIsUnchanged) {
  Caret.SetRect(Cell(2));  // hidden: only remembered
  EXPECT_THAT(Owner.TakeLog(), IsEmpty());
  Caret.Show();
  Owner.TakeLog();

  Caret.SetRect(Cell(3));
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("move 21,2"));
  Caret.SetRect(TRect{28, 0, 34, 16});
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("destroy", "create 2x16", "move 27,0", "show"));
  EXPECT_EQ(Caret.CaretRect(), (TRect{28, 0, 34, 16}));
}

TEST_F(SystemCaret, ChangingOwnerOrWidthTakesADrawnCaretOffFirst) {
  Caret.Show();
  Owner.TakeLog();
  Caret.SetWidth(4);
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("destroy", "create 4x10", "move 8,2", "show"));

  TFakeSystemCaret other;
  Caret.SetOwnerControl(&other);
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("destroy"));
  EXPECT_THAT(other.TakeLog(), IsEmpty());
  EXPECT_FALSE(Caret.Drawn());
  Caret.Draw();
  EXPECT_THAT(other.TakeLog(), ElementsAre("create 4x10", "move 8,2", "show"));
  Caret.SetOwnerControl(nullptr);
  EXPECT_THAT(other.TakeLog(), ElementsAre("destroy"));
}

TEST_F(SystemCaret, ThatCannotBeCreatedIsNotDrawn) {
  Owner.CreateFails = true;
  Caret.Show();
  EXPECT_THAT(Owner.TakeLog(), ElementsAre("create 2x10"));
  EXPECT_TRUE(Caret.Active());
  EXPECT_FALSE(Caret.Drawn());
  Caret.SetRect(Cell(2));
  Caret.Hide();
  EXPECT_THAT(Owner.TakeLog(), IsEmpty());
}

TEST_F(SystemCaret, OwnerDestroyedStopsAllCalls) {
  Caret.Show();
  Owner.TakeLog();
  Caret.OwnerDestroyed();
  EXPECT_EQ(Caret.OwnerControl(), nullptr);
  EXPECT_FALSE(Caret.Active());
  EXPECT_FALSE(Caret.Drawn());
  Caret.Show();
  Caret.SetRect(Cell(2));
  Caret.SetWidth(3);
  Caret.Hide();
  EXPECT_THAT(Owner.TakeLog(), IsEmpty());
}

}  // namespace
}  // namespace velmora::editor
