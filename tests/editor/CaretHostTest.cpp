// Tests of how an editor view's two carets are assigned, shown, swapped and released.
#include "editor/CaretHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

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

// A view whose host has the repaint callback, or not.
class CaretHostTest : public ::testing::Test {
 protected:
  TCaretHost& MakeHost(bool withCallback) {
    Host.emplace(View, TCaretOwner{&Canvas, withCallback ? RepaintInto(Canvas) : nullptr, &System});
    return *Host;
  }

  TPixelCanvas Canvas{40, 14};
  TFakeSystemCaret System;
  TFakeCaretView View;
  std::optional<TCaretHost> Host;
};

TEST_F(CaretHostTest, AssignedCaretTakesTheViewsPortsShapeAndCaretCell) {
  TCaretHost& host = MakeHost(true);
  View.Focused = true;
  View.EngineCell = Cell(2);

  EXPECT_EQ(host.SetCaret(std::make_unique<TQvCaretBar>()), nullptr);
  auto* caret = static_cast<TQvCaretPainted*>(host.Caret());
  EXPECT_EQ(host.CaretShape(), TCaretShape::Bar);
  EXPECT_EQ(caret->Canvas(), &Canvas);
  EXPECT_TRUE(caret->HasOwnerRepaint());
  EXPECT_EQ(caret->CaretRect(), Cell(2));
  EXPECT_TRUE(caret->Active());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(2), kColorBlack)));

  // Without the focus the new caret is placed but stays hidden until the focus comes.
  View.Focused = false;
  host.SetCaret(std::make_unique<TQvCaretSquare>());
  EXPECT_EQ(host.CaretShape(), TCaretShape::Block);
  EXPECT_EQ(host.Caret()->CaretRect(), Cell(2));
  EXPECT_FALSE(host.Caret()->Active());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Bar(2))));  // only the old caret taken off

  View.Focused = true;
  View.EngineCell = Cell(3);
  host.FocusGained();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Cell(3), kColorBlack)));
  host.MoveCaret(Cell(4));
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Cell(3)), Fill(Cell(4), kColorBlack)));
  host.FocusLost();
  EXPECT_FALSE(host.Caret()->Active());
  EXPECT_EQ(Canvas.Remnant(), "");
}

TEST_F(CaretHostTest, ReplacingACaretTakesTheOldOneOffBeforeTheNewOneDraws) {
  TCaretHost& host = MakeHost(false);
  View.Focused = true;
  View.EngineCell = Cell(1);
  TTimerRecord record;
  TManualTimer* timer = nullptr;
  host.SetCaret(std::make_unique<TQvCaretBlinkingBar>(MakeTimer(record, timer)));
  Canvas.TakeLog();

  std::unique_ptr<TQvCaret> old = host.SetCaret(std::make_unique<TQvCaretSquare>());
  // Had the square saved its pixels first, hiding it would bring the bar back.
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Restore(Bar(1)), Save(Cell(1)), Fill(Cell(1), kColorBlack)));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(static_cast<TQvCaretPainted*>(old.get())->Canvas(), nullptr);
  EXPECT_FALSE(old->Active());
  EXPECT_FALSE(old->Drawn());
  EXPECT_FALSE(record.Running);
  old.reset();
  EXPECT_FALSE(record.DestroyedWhileRunning);
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());

  host.Caret()->Hide();
  EXPECT_EQ(Canvas.Remnant(), "");
}

TEST_F(CaretHostTest, AssigningNoCaretSetsTheShapeToNone) {
  TCaretHost& host = MakeHost(true);
  View.Focused = true;
  EXPECT_EQ(host.SetCaret(nullptr), nullptr);
  EXPECT_EQ(host.CaretShape(), TCaretShape::None);
  host.SetCaret(std::make_unique<TQvCaretSquare>());
  EXPECT_EQ(host.CaretShape(), TCaretShape::Block);

  std::unique_ptr<TQvCaret> taken = host.TakeCaret();
  EXPECT_EQ(host.CaretShape(), TCaretShape::None);
  EXPECT_EQ(host.Caret(), nullptr);
  ASSERT_NE(taken, nullptr);
  EXPECT_FALSE(taken->Drawn());
  EXPECT_EQ(Canvas.Remnant(), "");
  host.FocusGained();  // no caret: nothing to show
  host.MoveCaret(Cell(2));
}

TEST_F(CaretHostTest, ACaretMovesBetweenCaretAndGhostAndIsOnlyEverInOne) {
  TCaretHost& host = MakeHost(true);
  View.Focused = true;
  View.EngineCell = Cell(2);
  auto ghost = std::make_unique<TQvCaretSquare>();
  ghost->SetColor(kBlue);

  // The ghost is attached but neither shown, moved nor consulted for the shape.
  host.SetCaretGhost(std::move(ghost));
  EXPECT_EQ(host.CaretShape(), TCaretShape::None);
  EXPECT_FALSE(host.CaretGhost()->Active());
  EXPECT_EQ(host.CaretGhost()->CaretRect(), TRect{});
  EXPECT_EQ(static_cast<TQvCaretPainted*>(host.CaretGhost())->Canvas(), &Canvas);
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
  host.CaretGhost()->SetRect(Cell(4));  // the view shows it at a drop position
  host.CaretGhost()->Show();
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Cell(4), kBlue)));

  TQvCaret* square = host.CaretGhost();
  EXPECT_EQ(host.SetCaret(host.TakeCaretGhost()), nullptr);
  EXPECT_EQ(host.CaretGhost(), nullptr);
  EXPECT_EQ(host.Caret(), square);
  EXPECT_EQ(host.CaretShape(), TCaretShape::Block);
  EXPECT_EQ(square->CaretRect(), Cell(2));
  EXPECT_TRUE(square->Active());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Cell(4)), Fill(Cell(2), kBlue)));

  EXPECT_EQ(host.SetCaretGhost(host.TakeCaret()), nullptr);
  EXPECT_EQ(host.Caret(), nullptr);
  EXPECT_EQ(host.CaretGhost(), square);
  EXPECT_EQ(host.CaretShape(), TCaretShape::None);
  EXPECT_FALSE(square->Active());
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Repaint(Cell(2))));
  EXPECT_EQ(Canvas.Remnant(), "");
}

TEST_F(CaretHostTest, SystemCaretUsesTheViewsSystemCaretUntilReplaced) {
  TCaretHost& host = MakeHost(true);
  View.Focused = true;
  View.EngineCell = Cell(1);
  host.SetCaret(std::make_unique<TQvCaretWindows>());
  EXPECT_EQ(static_cast<TQvCaretWindows*>(host.Caret())->OwnerControl(), &System);
  EXPECT_EQ(host.CaretShape(), TCaretShape::Bar);
  EXPECT_THAT(System.TakeLog(), ElementsAre("create 2x10", "move 9,2", "show"));
  EXPECT_THAT(Canvas.TakeLog(), IsEmpty());

  std::unique_ptr<TQvCaret> old = host.SetCaret(std::make_unique<TQvCaretBar>());
  EXPECT_EQ(static_cast<TQvCaretWindows*>(old.get())->OwnerControl(), nullptr);
  EXPECT_THAT(System.TakeLog(), ElementsAre("destroy"));
  EXPECT_THAT(Canvas.TakeLog(), ElementsAre(Fill(Bar(1), kColorBlack)));
}

TEST_F(CaretHostTest, PaintPassTakesBothCaretsOffAndPutsThemBack) {
  TCaretHost& host = MakeHost(false);
  View.Focused = true;
  View.EngineCell = Cell(1);
  host.SetCaret(std::make_unique<TQvCaretBar>());
  host.SetCaretGhost(std::make_unique<TQvCaretSquare>());
  host.CaretGhost()->SetRect(Cell(3));
  host.CaretGhost()->Show();

  host.SuspendForPaint();
  EXPECT_EQ(Canvas.Remnant(), "");
  host.ResumeAfterPaint();
  EXPECT_TRUE(Canvas.Shows(Bar(1), kColorBlack));
  EXPECT_TRUE(Canvas.Shows(Cell(3), kColorBlack));
}

TEST_F(CaretHostTest, DestroyedHostLeavesItsCaretsSilent) {
  for (const bool withCallback : {true, false}) {
    SCOPED_TRACE(withCallback ? "with callback" : "without callback");
    TCaretHost& host = MakeHost(withCallback);
    View.Focused = true;
    View.EngineCell = Cell(1);
    TTimerRecord blinkRecord;
    TTimerRecord alternateRecord;
    TManualTimer* blinkTimer = nullptr;
    TManualTimer* alternateTimer = nullptr;
    host.SetCaret(std::make_unique<TQvCaretBlinkingBar>(MakeTimer(blinkRecord, blinkTimer)));
    host.SetCaretGhost(
        std::make_unique<TQvCaretAlternatingSquare>(MakeTimer(alternateRecord, alternateTimer)));
    host.CaretGhost()->SetRect(Cell(3));
    host.CaretGhost()->Show();
    Canvas.TakeLog();

    Host.reset();
    EXPECT_THAT(Canvas.TakeLog(), IsEmpty());
    EXPECT_TRUE(blinkRecord.Destroyed);
    EXPECT_FALSE(blinkRecord.DestroyedWhileRunning);
    EXPECT_TRUE(alternateRecord.Destroyed);
    EXPECT_FALSE(alternateRecord.DestroyedWhileRunning);
    Canvas.RepaintText(Canvas.Bounds());
  }
}

TEST_F(CaretHostTest, DestroyedHostLeavesTheSystemCaretAlone) {
  TCaretHost& host = MakeHost(true);
  View.Focused = true;
  host.SetCaret(std::make_unique<TQvCaretWindows>());
  System.TakeLog();
  Host.reset();
  EXPECT_THAT(System.TakeLog(), IsEmpty());
}

}  // namespace
}  // namespace velmora::editor
